#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the parser's records harness on the host and on emulated Cortex-M cores with the same
# input, with each rule set, and fails when any output differs from the host's. The input: the
# sample vectors' lines and a few thousand lines of tests/firmware/records_lines.py (fixed seed).
# Then the power supply's transcript (tests/firmware/psu_transcript.py), whose answers from the
# supply's image on each board must be those of psu-sim --stdio on the host, byte for byte.
#
#   scripts/firmware-compare.sh [--planted] [TARGET...]     (default: cortex-m4 cortex-m0)
#
# --planted runs the targets' records image with a portability fault planted: the comparison
# must fail (the power supply is left out then).
# Prints per target and rule set the lines compared, the run time and the stack and heap the
# image used. Exits 0 when all agree, 1 on a difference or a failed run, 77 when the Arm
# toolchain or qemu-system-arm is missing (nothing compared).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
image=records
if [ "${1:-}" = --planted ]; then
  image=records-planted
  shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(cortex-m4 cortex-m0)
for tool in arm-none-eabi-gcc qemu-system-arm; do
  command -v "$tool" >/dev/null || { echo "firmware-compare: $tool not found; skipped"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat "$root/tests/data/samples.in" >"$work/input"
/usr/bin/python3 "$root/tests/firmware/records_lines.py" --seed "${ORVANE_RECORDS_SEED:-20}" \
  "$root/commands/demo_commands.h" >>"$work/input"
lines=$(wc -l <"$work/input")

# Code and constant data of an image, as in flash.
sizes() {  # image
  arm-none-eabi-size -A -d "$1" | awk '
    $1 ~ /^\.(isr_vector|text)$/ { code += $2 }
    $1 ~ /^\.(rodata|ARM\.exidx|data)$/ { constant += $2 }
    END { printf "image %d bytes of code, %d of constant data", code, constant }'
}

status=0
for rules in library standard; do
  "$root/scripts/firmware-run.sh" host records "$rules" <"$work/input" >"$work/host.out"
  for target in "${targets[@]}"; do
    start=$(date +%s%N)
    run_status=0
    "$root/scripts/firmware-run.sh" "$target" "$image" "$rules" <"$work/input" \
      >"$work/$target.out" 2>"$work/$target.err" || run_status=$?
    seconds=$(awk -v ns=$(( $(date +%s%N) - start )) 'BEGIN { printf "%.2f", ns / 1e9 }')
    if [ "$run_status" -ne 0 ]; then
      cat "$work/$target.err"
      echo "records on $target ($rules rules) failed: exit status $run_status"
      status=1
    elif ! cmp -s "$work/host.out" "$work/$target.out"; then
      diff "$work/host.out" "$work/$target.out" >"$work/diff" || true
      head -12 "$work/diff"
      echo "records on $target ($rules rules) differ from the host's:" \
        "$(grep -c '^>' "$work/diff") lines"
      status=1
    else
      printf '%s (%s rules): %s input lines, %s output bytes identical, %s s; %s; %s\n' \
        "$target" "$rules" "$lines" "$(wc -c <"$work/host.out")" "$seconds" \
        "$(tail -1 "$work/$target.err")" "$(sizes "$root/build-$target/tests/firmware/records.elf")"
    fi
  done
done
# The power supply: the transcript, its voltage-list block sized for each board, answered by
# psu-sim --stdio on the host and by the supply's image on the emulated board.
[ "$image" = records ] || exit $status
for target in "${targets[@]}"; do
  points=$(sed -n 's/^ORVANE_PSU_LIST_POINTS:INTERNAL=//p' "$root/build-$target/CMakeCache.txt")
  /usr/bin/python3 "$root/tests/firmware/psu_transcript.py" "${points:-16}" >"$work/psu.in"
  "$root/scripts/firmware-run.sh" host psu <"$work/psu.in" >"$work/psu-host.out"
  start=$(date +%s%N)
  run_status=0
  "$root/scripts/firmware-run.sh" "$target" psu <"$work/psu.in" >"$work/psu-$target.out" \
    2>"$work/psu-$target.err" || run_status=$?
  seconds=$(awk -v ns=$(( $(date +%s%N) - start )) 'BEGIN { printf "%.2f", ns / 1e9 }')
  if [ "$run_status" -ne 0 ]; then
    cat "$work/psu-$target.err"
    echo "psu on $target failed: exit status $run_status"
    status=1
  elif ! cmp "$work/psu-host.out" "$work/psu-$target.out"; then
    echo "psu on $target answers differently from psu-sim --stdio"
    status=1
  else
    printf '%s psu: %s messages (a %s-byte block), %s response bytes identical, %s s; %s; %s\n' \
      "$target" "$(wc -l <"$work/psu.in")" "$(( ${points:-16} * 4 ))" \
      "$(wc -c <"$work/psu-host.out")" "$seconds" "$(tail -1 "$work/psu-$target.err")" \
      "$(sizes "$root/build-$target/tests/firmware/psu.elf")"
  fi
done
exit $status
