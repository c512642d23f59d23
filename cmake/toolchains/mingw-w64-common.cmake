# What both MinGW-w64 cross builds share; the toolchain files set TOOLCHAIN_PREFIX and
# PE_ARCH_LINK_FLAGS first.
# The thread model of the C++ runtime. The programs start no thread of their own, and the win32
# model keeps libstdc++'s few internal locks on Win32 itself; the posix model brings winpthreads,
# about 26 KB more in every .exe. GoogleTest needs std::mutex and std::condition_variable, which
# this GCC offers only in the posix model, so a build with tests takes that one.
if(NOT PAUSARIUM_THREAD_MODEL)
  if(DEFINED BUILD_TESTING AND NOT BUILD_TESTING)
    set(PAUSARIUM_THREAD_MODEL win32)
  else()
    set(PAUSARIUM_THREAD_MODEL posix)
  endif()
endif()
set(PAUSARIUM_THREAD_MODEL ${PAUSARIUM_THREAD_MODEL} CACHE STRING "MinGW thread model: win32 or posix")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PAUSARIUM_THREAD_MODEL)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-${PAUSARIUM_THREAD_MODEL})
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc-${PAUSARIUM_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)

# The PE header's security flags, written out rather than left to the linker's defaults:
# loaded at a random address (with the .reloc section that needs), no code run from data pages,
# and aware of terminal sessions, so that Windows applies no compatibility shims for old
# programs; and the architecture's own flags. The top CMakeLists.txt links every program with
# them (here they would only reach new build directories' caches).
set(PAUSARIUM_PE_LINK_FLAGS --dynamicbase --nxcompat --tsaware ${PE_ARCH_LINK_FLAGS})

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Cross-built tests run under Wine (32-bit Wine for i686, where the kernel runs 32-bit programs).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../tests/wine/wine-exec.sh)
