#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the parser's records harness on the host and on emulated Cortex-M cores with the same
# input, with each rule set, and fails when any output differs from the host's. The input: the
# sample vectors' lines and a few thousand lines of tests/firmware/records_lines.py (fixed seed).
#
#   scripts/firmware-compare.sh [--planted] [TARGET...]     (default: cortex-m4 cortex-m0)
#
# --planted runs the targets' image with a portability fault planted: the comparison must fail.
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
exit $status
