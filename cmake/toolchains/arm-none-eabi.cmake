# SPDX-License-Identifier: MIT
# Bare-metal Arm (Cortex-M) with the GNU Arm Embedded toolchain and newlib; on Debian the
# packages gcc-arm-none-eabi, libnewlib-arm-none-eabi and libstdc++-arm-none-eabi-newlib.
#
#   cmake -B build-fw --toolchain cmake/toolchains/arm-none-eabi.cmake \
#         -DCMAKE_C_FLAGS="-mcpu=cortex-m4 -mthumb" -DCMAKE_CXX_FLAGS="-mcpu=cortex-m4 -mthumb"
#
# The CPU, floating-point and optimisation flags are the build's own (CMAKE_<LANG>_FLAGS, or the
# presets cortex-m4 and cortex-m0). A toolchain installed elsewhere: ARM_NONE_EABI_PREFIX, the
# path and prefix of its programs (for example /opt/gcc-arm/bin/arm-none-eabi-).
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR arm)

set(ARM_NONE_EABI_PREFIX "arm-none-eabi-" CACHE STRING "Path and name prefix of the toolchain's programs")
set(CMAKE_C_COMPILER ${ARM_NONE_EABI_PREFIX}gcc)
set(CMAKE_CXX_COMPILER ${ARM_NONE_EABI_PREFIX}g++)
set(CMAKE_ASM_COMPILER ${ARM_NONE_EABI_PREFIX}gcc)
# ar, ranlib, nm and objcopy are found by the compilers' prefix.

# The compiler checks link no program: there is no start-up code before a firmware brings its own.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

# Libraries and headers come from the target's sysroot only, programs from the host.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
