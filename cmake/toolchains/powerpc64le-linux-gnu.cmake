# Cross-compiling for Linux on ppc64el with Debian's g++-powerpc64le-linux-gnu;
# the tests run under qemu-ppc64le.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(hostlix_triplet powerpc64le-linux-gnu)
set(hostlix_qemu ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
