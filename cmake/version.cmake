# Mirel's version is written in one place: resources/mirel.rc, the exe's version resource
# that the about box shows. Everything else takes it from there: project() in
# CMakeLists.txt, and the release's file names and manifests through
#   cmake -P cmake/version.cmake          (prints the version, e.g. 0.97)
# The four places inside mirel.rc must agree, or this fails: an exe that says one version
# in an installer that says another would upgrade wrongly.
cmake_policy(VERSION 3.25)
file(READ "${CMAKE_CURRENT_LIST_DIR}/../resources/mirel.rc" _mirel_rc)

# "0.97" and 0,97,0,0 are the same version: compare them in four parts.
function(_mirel_four_parts text out)
  string(REPLACE "," "." text "${text}")
  string(REPLACE "." ";" parts "${text}")
  list(LENGTH parts n)
  while(n LESS 4)
    list(APPEND parts 0)
    math(EXPR n "${n} + 1")
  endwhile()
  string(JOIN "." text ${parts})
  set(${out} ${text} PARENT_SCOPE)
endfunction()

if(NOT _mirel_rc MATCHES "VALUE \"ProductVersion\", \"([0-9]+(\\.[0-9]+)*)\"")
  message(FATAL_ERROR "resources/mirel.rc: no ProductVersion string")
endif()
set(MIREL_VERSION ${CMAKE_MATCH_1})
_mirel_four_parts(${MIREL_VERSION} _expected)

foreach(_pattern "\nFILEVERSION +([0-9]+,[0-9]+,[0-9]+,[0-9]+)" "\nPRODUCTVERSION +([0-9]+,[0-9]+,[0-9]+,[0-9]+)"
                 "VALUE \"FileVersion\", \"([0-9.]+)\"")
  if(NOT _mirel_rc MATCHES "${_pattern}")
    message(FATAL_ERROR "resources/mirel.rc: no match for ${_pattern}")
  endif()
  _mirel_four_parts(${CMAKE_MATCH_1} _found)
  if(NOT _found STREQUAL _expected)
    message(FATAL_ERROR "resources/mirel.rc: ${CMAKE_MATCH_1} disagrees with ProductVersion ${MIREL_VERSION}")
  endif()
endforeach()
# Each language's block says it again: every one of them must agree too.
string(REGEX MATCHALL "VALUE \"(File|Product)Version\", \"[0-9.]+\"" _mirel_texts "${_mirel_rc}")
foreach(_text IN LISTS _mirel_texts)
  string(REGEX REPLACE ".*, \"([0-9.]+)\"" "\\1" _text "${_text}")
  _mirel_four_parts(${_text} _found)
  if(NOT _found STREQUAL _expected)
    message(FATAL_ERROR "resources/mirel.rc: ${_text} disagrees with ProductVersion ${MIREL_VERSION}")
  endif()
endforeach()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${MIREL_VERSION}")
endif()
