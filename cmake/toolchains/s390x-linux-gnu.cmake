# Cross-compiling for Linux on s390x (IBM Z, big-endian) with Debian's
# g++-s390x-linux-gnu; the tests run under qemu-s390x.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(hostlix_triplet s390x-linux-gnu)
set(hostlix_qemu s390x)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
