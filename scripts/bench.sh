#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the benchmarks in Release (preset "bench") and prints a short table of medians: time
# per item (a command, a list, a sample line, a panel fill or save) from CPU time, items per
# second, and the goal where there is one. Each benchmark runs REPETITIONS times (default 5).
# Then the cost of an arbitrary block: the instructions (callgrind) of a message holding a block
# of 100,000 bytes less those of one holding an empty block, per byte.
# Then the instrument layer's round trip against the parse alone (callgrind, goal at most 1.25
# times), and the scaling benchmark (scripts/scaling_bench.sh): instructions and time per command for
# tables of 74, 148 and 222 entries.
#
#   scripts/bench.sh [REPETITIONS]
#
# ORVANE_BENCH_BUILD_DIR chooses the build directory (default build-bench). The window's
# benchmarks run offscreen and only when the window is built (Qt 6 present).
# Exits 1 when a median or the scaling benchmark misses its goal.
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${1:-5}
build=${ORVANE_BENCH_BUILD_DIR:-build-bench}

cmake --preset bench -B "$build" >/dev/null
targets=(parser_bench report_bench)
grep -q '^build bench/panel_bench:' "$build/build.ninja" && targets+=(panel_bench)
cmake --build "$build" -j2 --target "${targets[@]}" block_cost >/dev/null

csv="$build/bench-results.csv"
: >"$csv"
for target in "${targets[@]}"; do
  QT_QPA_PLATFORM=offscreen "$build/bench/$target" --benchmark_repetitions="$repetitions" \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null \
    | grep '_median"' >>"$csv"
done

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
echo "Medians of $repetitions runs, CPU time; $cpu, $(nproc) cores; $(c++ --version | head -1)"
status=0
# Goals in nanoseconds per item, by benchmark name.
awk -F, '
  BEGIN {
    goal["BM_SampleCommands/tracing:0"] = 150
    goal["BM_UnrecognisedCommand"] = 2000
    goal["BM_FillPanel"] = 1e9
    goal["BM_SaveFullPanel"] = 1e8
    printf "%-36s %12s %14s  %-28s %s\n", "benchmark", "per item", "items/s", "item", "goal"
  }
  function pretty(ns) {
    if (ns >= 1e6) return sprintf("%.1f ms", ns / 1e6)
    if (ns >= 1e3) return sprintf("%.2f us", ns / 1e3)
    return sprintf("%.0f ns", ns)
  }
  {
    name = $1; gsub(/"/, "", name); sub(/_median$/, "", name)
    label = $8; gsub(/"/, "", label)
    if ($9 != "" || $7 == "") { printf "%-36s %s\n", name, "ERROR " $10; failed = 1; next }
    ns = 1e9 / $7
    verdict = ""
    if (name in goal) {
      met = ns <= goal[name]
      verdict = sprintf("<= %s: %s", pretty(goal[name]), met ? "met" : "MISSED")
      if (!met) failed = 1
    }
    printf "%-36s %12s %14.0f  %-28s %s\n", name, pretty(ns), $7, label, verdict
  }
  END { exit failed }' "$csv" || status=1

# Instructions of ParseBlockMessage for a block of $1 bytes.
block_instructions() {
  local out="$build/callgrind.block.$1"
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect=ParseBlockMessage \
    "$build/bench/block_cost" "$1" >/dev/null 2>&1
  sed -nE 's/^(summary|totals): *([0-9]+).*/\2/p' "$out" | tail -1
}
awk -v empty="$(block_instructions 0)" -v full="$(block_instructions 100000)" 'BEGIN {
  per = (full - empty) / 100000
  printf "%-36s %12.3f instructions per byte (callgrind)  <= 2: %s\n", "block of 100,000 bytes", per,
         per <= 2 ? "met" : "MISSED"
  exit per > 2 }' || status=1
echo
# The instrument layer: a full round (bytes in, handlers, responses out) against the parse alone
# on the same power-supply messages, in instructions (callgrind).
cmake --build "$build" -j2 --target round_bench >/dev/null
declare -A round
for workload in parse round; do
  out="$build/callgrind.round.$workload"
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect="Run${workload^}" \
    "$build/bench/round_bench" "$workload" 1000 >/dev/null 2>&1 || status=1
  round[$workload]=$(sed -nE 's/^(summary|totals): *([0-9]+).*/\2/p' "$out" | tail -1)
done
awk -v parse="${round[parse]}" -v rnd="${round[round]}" 'BEGIN {
  ratio = rnd / parse
  printf "instrument round %.0f instructions per command, parse alone %.0f: %.2f times (<= 1.25: %s)\n",
         rnd / 12000, parse / 12000, ratio, ratio <= 1.25 ? "met" : "MISSED"
  exit ratio > 1.25 }' || status=1
echo
scripts/scaling_bench.sh || status=1
exit $status
