# Cross build for Windows with MinGW-w64 (x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
# The image and its stacks and heaps placed anywhere in the 64-bit address space.
set(PE_ARCH_LINK_FLAGS --high-entropy-va)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
