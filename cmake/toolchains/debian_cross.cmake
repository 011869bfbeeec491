# The part every toolchain file shares: a Debian cross toolchain whose tools
# are TRIPLET-gcc and TRIPLET-g++ (with an optional suffix such as -posix)
# and whose target libraries live in /usr/TRIPLET. Set hostlix_triplet, and
# hostlix_compiler_suffix where needed, before including it.
include(${CMAKE_CURRENT_LIST_DIR}/../requirements.cmake)
hostlix_find_program(hostlix_cross_compiler ${hostlix_triplet}-g++${hostlix_compiler_suffix} REQUIRED)
set(CMAKE_C_COMPILER ${hostlix_triplet}-gcc${hostlix_compiler_suffix})
set(CMAKE_CXX_COMPILER ${hostlix_triplet}-g++${hostlix_compiler_suffix})
set(CMAKE_FIND_ROOT_PATH /usr/${hostlix_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
  set(CMAKE_RC_COMPILER ${hostlix_triplet}-windres)
else()
  # The target's programs run under Debian's qemu-user, which finds the
  # target's C library in the toolchain's sysroot.
  hostlix_find_program(hostlix_emulator qemu-${hostlix_qemu} REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${hostlix_qemu} -L /usr/${hostlix_triplet})
endif()
