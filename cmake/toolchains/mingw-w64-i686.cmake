# Cross-compiling for 32-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-i686),
# its posix thread model, which GoogleTest needs for the unit tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(hostlix_triplet i686-w64-mingw32)
set(hostlix_compiler_suffix -posix)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
