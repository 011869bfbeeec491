# Cross-compiling for Linux on i386 (32-bit x86: the x87 number format, as on
# 32-bit Windows) with Debian's g++-i686-linux-gnu; the tests run under qemu-i386.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(hostlix_triplet i686-linux-gnu)
set(hostlix_qemu i386)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
