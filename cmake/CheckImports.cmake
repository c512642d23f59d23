# cmake -DOBJDUMP=... -DEXE=... -P CheckImports.cmake
# Fails when EXE imports a DLL that is not part of Windows itself (such as a MinGW runtime), or
# a function that must be looked up at run time.
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(allowed kernel32 user32 gdi32 advapi32 winmm shell32 msvcrt comctl32 ole32 oleaut32 shlwapi
    comdlg32 version)
set(bad "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(TOLOWER "${dll}" lower)
  string(REGEX REPLACE "\\.dll$" "" base "${lower}")
  message(STATUS "imports ${dll}")
  if(NOT base IN_LIST allowed AND NOT base MATCHES "^api-ms-win-")
    list(APPEND bad ${dll})
  endif()
endforeach()
# Functions that a supported Windows may lack are looked up at run time, never imported: an
# import would stop the program from starting there.
foreach(late ShutdownBlockReasonCreate ShutdownBlockReasonDestroy)
  if(dump MATCHES "[ \t]${late}[\r\n]")
    list(APPEND bad ${late})
  endif()
endforeach()
if(NOT lines)
  message(FATAL_ERROR "${EXE} imports nothing: not a Windows program?")
endif()
if(bad)
  message(FATAL_ERROR "${EXE} imports non-system DLLs or late functions: ${bad}")
endif()
