# Cross-compiling for Linux on armel (ARMv5TE, soft float) with Debian's
# g++-arm-linux-gnueabi; the tests run under qemu-arm.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(hostlix_triplet arm-linux-gnueabi)
set(hostlix_qemu arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
