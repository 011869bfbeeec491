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
  # The target's programs run under Debian's qemu-user, with the toolchain's
  # sysroot as their /. Its loader still reads the host's /etc/ld.so.cache,
  # which names the host's own libraries of the target architecture where
  # libc6:ARCH is installed; qemu finds those outside the sysroot, and a
  # loader and a C library from two glibc builds abort. LD_LIBRARY_PATH,
  # which the loader searches before the cache, keeps every library in the
  # sysroot.
  hostlix_find_program(hostlix_emulator qemu-${hostlix_qemu} REQUIRED)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${hostlix_qemu}
      -E LD_LIBRARY_PATH=/usr/${hostlix_triplet}/lib -L /usr/${hostlix_triplet})
endif()
