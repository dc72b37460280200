#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds a firmware image and runs it with this script's standard input and output as its
# console: on the host as a program, for the Cortex-M builds under QEMU with semihosting
# (cortex-m4 on the mps2-an386 board, cortex-m0 on the BBC micro:bit with its 16 KiB of RAM).
# Bytes pass unchanged both ways (binary data, bytes 128 to 255, NUL).
#
#   scripts/firmware-run.sh TARGET IMAGE [ARGUMENT...] < input > output
#
# TARGET: host, cortex-m4 or cortex-m0. IMAGE: records (the parser's records harness; its
# argument chooses the rule set, library or standard), psu (the power supply: psu-sim --stdio on
# the host), records-planted (the records harness with a portability fault planted, to prove the
# comparison).
# Exits with the image's exit status; 124 when the image is stopped after ORVANE_FIRMWARE_TIMEOUT
# seconds (default 60), 125 when the build fails. An emulated image reports the stack and heap
# it used on standard error. The builds: ORVANE_HOST_BUILD_DIR (default build-firmware-host,
# configured without the window) and the presets' folders build-cortex-m4 and build-cortex-m0.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
  echo "usage: $0 host|cortex-m4|cortex-m0 records|psu|records-planted [ARGUMENT...]" >&2
  exit 2
}
[ $# -ge 2 ] || usage
target=$1
image=$2
shift 2
case $image in
  records) build_target=records ;;
  records-planted) build_target=records_planted ;;
  psu) build_target=psu ;;
  *) usage ;;
esac
timeout_seconds=${ORVANE_FIRMWARE_TIMEOUT:-60}

# Configures a build folder once, then brings the target up to date; the log only on failure.
build() {  # folder, configure command...
  local dir=$1 log
  shift
  log=$(mktemp)
  if { [ -f "$dir/CMakeCache.txt" ] || "$@"; } >"$log" 2>&1 &&
     cmake --build "$dir" --target "$build_target" >"$log" 2>&1; then
    rm -f "$log"
  else
    cat "$log" >&2
    rm -f "$log"
    echo "firmware-run: building $image for $target failed" >&2
    exit 125
  fi
}

case $target in
  host)
    dir=${ORVANE_HOST_BUILD_DIR:-$root/build-firmware-host}
    # The power supply's host transport is psu-sim on standard input and output.
    [ "$image" = psu ] && build_target=psu-sim && set -- --stdio "$@"
    build "$dir" cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DORVANE_BUILD_GUI=OFF
    program=$(find "$dir" -name "$build_target" -type f -perm -u+x -not -path '*/CMakeFiles/*' |
              head -1)
    command=("$program" "$@")
    ;;
  cortex-m4 | cortex-m0)
    command -v qemu-system-arm >/dev/null || {
      echo "firmware-run: qemu-system-arm not found (scripts/install-deps.sh installs it)" >&2
      exit 125
    }
    dir=$root/build-$target
    build "$dir" cmake --preset "$target" -S "$root"
    machine=$(sed -n 's/^ORVANE_QEMU_BOARD:STRING=//p' "$dir/CMakeCache.txt")
    # The image's command line: its name, then the arguments (a comma is doubled for QEMU).
    config=enable=on,target=native,arg=$image
    for argument in "$@"; do config+=",arg=${argument//,/,,}"; done
    command=(qemu-system-arm -M "$machine" -nographic -monitor none -serial none
             -semihosting-config "$config" -kernel "$dir/tests/firmware/$build_target.elf")
    ;;
  *) usage ;;
esac

status=0
timeout "$timeout_seconds" "${command[@]}" || status=$?
if [ "$status" -eq 124 ]; then
  echo "firmware-run: $image on $target stopped after $timeout_seconds s without ending" >&2
fi
exit "$status"
