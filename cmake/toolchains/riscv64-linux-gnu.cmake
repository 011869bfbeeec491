# Cross-compiling for Linux on riscv64 with Debian's g++-riscv64-linux-gnu; the
# tests run under qemu-riscv64.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(hostlix_triplet riscv64-linux-gnu)
set(hostlix_qemu riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
