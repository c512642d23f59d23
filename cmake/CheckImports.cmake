# cmake -DOBJDUMP=... -DEXE=... -P CheckImports.cmake
# Fails when EXE imports a DLL other than the KnownDLLs that it needs from its start, or a
# function that must be looked up at run time. Windows loads a KnownDLL from the system directory
# only; any other DLL is looked for in the program's folder first, so the programs load every
# other DLL themselves, from the system directory (common/win32/SystemLibrary).
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" lines "${dump}")
set(allowed kernel32 user32 gdi32 advapi32 msvcrt)
set(bad "")
foreach(line IN LISTS lines)
  string(REGEX REPLACE "DLL Name: *" "" dll "${line}")
  string(TOLOWER "${dll}" lower)
  string(REGEX REPLACE "\\.dll$" "" base "${lower}")
  message(STATUS "imports ${dll}")
  if(NOT base IN_LIST allowed)
    list(APPEND bad ${dll})
  endif()
endforeach()
# Functions that a supported Windows may lack are looked up at run time, never imported: an
# import would stop the program from starting there.
foreach(late ShutdownBlockReasonCreate ShutdownBlockReasonDestroy SetDefaultDllDirectories)
  if(dump MATCHES "[ \t]${late}[\r\n]")
    list(APPEND bad ${late})
  endif()
endforeach()
if(NOT lines)
  message(FATAL_ERROR "${EXE} imports nothing: not a Windows program?")
endif()
if(bad)
  message(FATAL_ERROR "${EXE} imports other DLLs than the KnownDLLs it needs, or late functions: ${bad}")
endif()
