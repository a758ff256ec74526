# Checks a linked Windows executable after the build; a failure fails the build.
#   cmake -DOBJDUMP=... -DEXE=... -DALLOWED=kernel32.dll,user32.dll,... -P CheckExe.cmake
# - It imports at start only the DLLs listed in ALLOWED: everything else is loaded on first
#   use from the system folder, so the window shows sooner and no DLL beside the exe loads.
# - It is large-address-aware: a 32-bit build on 64-bit Windows gets 4 GB for pictures.
cmake_policy(VERSION 3.25)
string(REPLACE "," ";" ALLOWED "${ALLOWED}")
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
set(imported)
foreach(line ${names})
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(APPEND imported ${dll})
  if(NOT dll IN_LIST ALLOWED)
    message(FATAL_ERROR "${EXE} imports ${dll} at start; load it on first use instead (platform/system_dll.h)")
  endif()
endforeach()
if(NOT imported)
  message(FATAL_ERROR "${EXE}: no imports found; objdump output not understood")
endif()
if(NOT dump MATCHES "large address aware")
  message(FATAL_ERROR "${EXE} is not large-address-aware")
endif()
