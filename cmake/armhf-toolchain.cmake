# The card's controller is 32-bit ARM with hardware floating point (Debian's
# armhf). scripts/cross-armhf.sh builds with this file:
#
#   cmake -S . -B build-armhf --toolchain cmake/armhf-toolchain.cmake \
#         -DBUILD_TESTING=OFF [-DOSTRAND_ARMHF_SYSROOT=DIR]
#
# The armhf libraries come either from Debian's multiarch packages
# (libglib2.0-dev:armhf and the others, under /usr/lib/arm-linux-gnueabihf)
# or, when OSTRAND_ARMHF_SYSROOT names a directory, from armhf packages
# unpacked there. The programs built run on this machine under qemu-user
# with the same libraries as their prefix.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(CMAKE_C_COMPILER arm-linux-gnueabihf-gcc)
set(CMAKE_CXX_COMPILER arm-linux-gnueabihf-g++)
set(CMAKE_LIBRARY_ARCHITECTURE arm-linux-gnueabihf)

set(OSTRAND_ARMHF_SYSROOT "" CACHE PATH
    "Root of unpacked armhf packages; empty to use the multiarch ones")
set(OSTRAND_DEB_ARCHITECTURE armhf CACHE STRING
    "Debian architecture of the package")
# The compiler checks run in projects of their own, without this cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES OSTRAND_ARMHF_SYSROOT)

if(OSTRAND_ARMHF_SYSROOT)
  set(CMAKE_SYSROOT "${OSTRAND_ARMHF_SYSROOT}")
  set(CMAKE_FIND_ROOT_PATH "${OSTRAND_ARMHF_SYSROOT}")
  set(_ostrand_armhf_prefix "${OSTRAND_ARMHF_SYSROOT}")
else()
  set(_ostrand_armhf_prefix /)
endif()

# pkg-config must see the armhf .pc files only, never the machine's own;
# in a sysroot their -I and -L paths are taken inside it.
set(ENV{PKG_CONFIG_LIBDIR}
    "${CMAKE_SYSROOT}/usr/lib/arm-linux-gnueabihf/pkgconfig:${CMAKE_SYSROOT}/usr/share/pkgconfig")
if(CMAKE_SYSROOT)
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "${CMAKE_SYSROOT}")
else()
  unset(ENV{PKG_CONFIG_SYSROOT_DIR})
endif()
unset(ENV{PKG_CONFIG_PATH})

# Libraries, headers and CMake packages are armhf ones; programs run
# during the build (pkg-config itself) are the machine's.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# What the build runs of its own armhf programs runs under qemu-user, with
# the armhf C library and its loader taken from the same prefix.
find_program(OSTRAND_QEMU_ARM qemu-arm-static)
if(OSTRAND_QEMU_ARM)
  set(CMAKE_CROSSCOMPILING_EMULATOR
      "${OSTRAND_QEMU_ARM};-L;${_ostrand_armhf_prefix}")
endif()
