# Cross build for Windows with MinGW-w64 (i686).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(TOOLCHAIN_PREFIX i686-w64-mingw32)
# Exceptions unwind with DWARF tables and nothing registers an SEH handler: the header says so
# (NO_SEH), and Windows then dispatches no exception to a handler in the image.
set(PE_ARCH_LINK_FLAGS --no-seh)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
