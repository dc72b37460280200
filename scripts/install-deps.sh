#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages the project builds, tests and runs with (only what is missing).
set -euo pipefail
packages=(build-essential cmake ninja-build clang libclang-rt-14-dev libgtest-dev libbenchmark-dev
          qt6-base-dev fonts-liberation2 xvfb xauth binutils pkg-config dpkg-dev file
          gcc-arm-none-eabi libnewlib-arm-none-eabi libstdc++-arm-none-eabi-newlib valgrind
          qemu-system-arm python3-pyvisa python3-pyvisa-py python3-pytest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
"${sudo[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
