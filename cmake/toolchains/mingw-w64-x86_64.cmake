# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64),
# its posix thread model, which GoogleTest needs for the unit tests (the
# command itself, statically linked, imports the same DLLs either way).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(hostlix_triplet x86_64-w64-mingw32)
set(hostlix_compiler_suffix -posix)
include(${CMAKE_CURRENT_LIST_DIR}/debian_cross.cmake)
