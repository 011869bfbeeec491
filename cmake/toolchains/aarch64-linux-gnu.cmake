# Cross-compiling for Linux on arm64 with Debian's g++-aarch64-linux-gnu; the
# tests run under qemu-aarch64.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(hostlix_triplet aarch64-linux-gnu)
set(hostlix_qemu aarch64)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
