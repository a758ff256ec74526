# Import libraries that load their DLL on the first call instead of at start-up: the
# program shows its window before shell32, comdlg32, ole32 and the imaging component load.
# Each .def lists only the functions we call, with their i686 stack sizes.
function(mirel_delay_load_libraries out_var)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(dlltool i686-w64-mingw32-dlltool)
    set(machine_flags -m i386 -k)
  else()
    set(dlltool x86_64-w64-mingw32-dlltool)
    set(machine_flags -m i386:x86-64)
  endif()
  if(NOT CMAKE_CROSSCOMPILING)
    set(dlltool dlltool)  # a MinGW toolchain on Windows itself (MSYS2)
  endif()
  set(libs)
  foreach(name shell32 comdlg32 ole32 windowscodecs)
    set(def_in ${CMAKE_SOURCE_DIR}/cmake/delayload/${name}.def)
    set(def ${CMAKE_BINARY_DIR}/delayload/${name}.def)
    set(lib ${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a)
    file(READ ${def_in} text)
    if(NOT CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      string(REGEX REPLACE "@[0-9]+" "" text "${text}")  # no stdcall decoration on x86_64
    endif()
    file(WRITE ${def} "${text}")
    add_custom_command(OUTPUT ${lib}
      COMMAND ${dlltool} ${machine_flags} --input-def ${def} --output-delaylib ${lib}
      DEPENDS ${def_in} VERBATIM)
    list(APPEND libs ${lib})
  endforeach()
  add_custom_target(mirel_delay_libs DEPENDS ${libs})
  set(${out_var} ${libs} delayimp PARENT_SCOPE)
endfunction()
