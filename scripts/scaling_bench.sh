#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How the parse cost grows with the command table. Installs the library (Release, tracing
# compiled out) into a scratch prefix, builds bench/scaling against it: the demo table with 0, 1
# and 2 siblings after every command (74, 148, 222 entries), each built with
# orvane_scpi_add_table as a user builds a table. Then, for each table, prints the instructions
# per command (callgrind, which is stable on a noisy machine) and the median time per command of
# each workload, each line parsed to its end and every parameter read:
#   samples       the sample lines (tests/data/samples.in), through SCPI_ParseCtx
#   samples-parse the same through SCPI_Parse (the table's global names, without the index)
#   rst           *RST
#   unrecognised  SOUR:VOLT 1.5 MV (no entry has this first keyword)
#   near-miss     meas:volt:dc:xyz? 1 (shares three keywords with real commands)
#   compound      a line of commands that lean on the tree path
#
#   scripts/scaling_bench.sh
#
# ORVANE_SCALING_BUILD_DIR chooses the build directory (default build-scaling); the counts are
# also written there to figures.txt, which scripts/figures.sh publishes.
# Exits 1 when a goal is missed or a table recognises the commands differently from another;
# with ORVANE_GOALS=advisory a missed goal is only reported (and published as a verdict).
set -euo pipefail
cd "$(dirname "$0")/.."

mkdir -p "${ORVANE_SCALING_BUILD_DIR:-build-scaling}"
build=$(cd "${ORVANE_SCALING_BUILD_DIR:-build-scaling}" && pwd)
samples=$PWD/tests/data/samples.in
sizes=(74 148 222)
advisory=$([ "${ORVANE_GOALS:-}" = advisory ] && echo 1 || echo "")
workloads=(samples samples-parse rst unrecognised near-miss compound)

# Runs a build step quietly; shows its output when it fails.
quiet() {
  if ! "$@" >"$build/step.log" 2>&1; then
    cat "$build/step.log"
    exit 1
  fi
}
# -g only adds debug information, for callgrind_annotate on the results.
quiet cmake -S . -B "$build/library" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_FLAGS=-g \
  -DCMAKE_CXX_FLAGS=-g -DORVANE_SCPI_TRACE=OFF \
  -DORVANE_BUILD_GUI=OFF -DORVANE_BUILD_TESTS=OFF -DORVANE_BUILD_BENCH=OFF
quiet cmake --build "$build/library" -j2
quiet cmake --install "$build/library" --prefix "$build/prefix"
quiet cmake -S bench/scaling -B "$build/tables" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$build/prefix"
quiet cmake --build "$build/tables" -j2

results="$build/results.txt"
: >"$results"
for entries in "${sizes[@]}"; do
  program="$build/tables/scaling_bench_$entries"
  for workload in "${workloads[@]}"; do
    out="$build/callgrind.$entries.$workload"
    # "commands N errors E", then the instructions of RunWorkload, then "ns T".
    counts=$(valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect=RunWorkload \
               "$program" "$workload" count "$samples" 2>/dev/null)
    read -r _ commands _ errors <<<"$counts"
    instructions=$(sed -nE 's/^(summary|totals): *([0-9]+).*/\2/p' "$out" | tail -1)
    time=$("$program" "$workload" time "$samples")
    read -r _ ns <<<"$time"
    echo "$entries $workload $commands $errors $instructions $ns" >>"$results"
  done
done

# The instruction counts as "scaling.<workload>.<entries> <per command>", for scripts/figures.sh.
awk '{ printf "scaling.%s.%s %.0f\n", $2, $1, $5 / $3 }' "$results" >"$build/figures.txt"

echo "Instructions per command (callgrind, tracing compiled out) and median time per command"
awk -v sizes="${sizes[*]}" -v figures="$build/figures.txt" -v advisory="$advisory" '
  BEGIN {
    n = split(sizes, size, " ")
    # Goals in instructions per command, by workload and table size (0: every size).
    goal["samples", 74] = 2000; goal["samples-parse", 74] = 2000
    goal["unrecognised", 0] = 600; goal["rst", 0] = 400
    label["samples"] = "sample lines, SCPI_ParseCtx"; label["rst"] = "*RST"
    label["samples-parse"] = "sample lines, SCPI_Parse"
    label["unrecognised"] = "unrecognised SOUR:VOLT 1.5 MV"
    label["near-miss"] = "near miss meas:volt:dc:xyz? 1"; label["compound"] = "compound line"
  }
  {
    if (!($2 in seen)) { order[++rows] = $2; seen[$2] = 1 }
    commands[$2, $1] = $3; errors[$2, $1] = $4; ir[$2, $1] = $5 / $3; ns[$2, $1] = $6
  }
  END {
    printf "%-34s", "workload (commands per run)"
    for (i = 1; i <= n; i++) printf " %16s", size[i] " entries"
    printf "   goal\n"
    for (r = 1; r <= rows; r++) {
      w = order[r]
      printf "%-34s", label[w] " (" commands[w, size[1]] ")"
      goals = ""; missed = ""; odd = ""
      for (i = 1; i <= n; i++) {
        s = size[i]
        printf " %7.0f %8s", ir[w, s], sprintf("%.0f ns", ns[w, s])
        if (commands[w, s] != commands[w, size[1]] || errors[w, s] != errors[w, size[1]]) {
          odd = odd " " s; failed = 1
        }
        g = ((w, s) in goal) ? goal[w, s] : (((w, 0) in goal) ? goal[w, 0] : 0)
        if (!g) continue
        if (!((w, 0) in goal)) goals = goals (goals == "" ? "" : ", ") "<= " g " at " s
        if (ir[w, s] > g) { missed = missed (missed == "" ? "" : ", ") s; if (!advisory) failed = 1 }
      }
      if ((w, 0) in goal) goals = "<= " goal[w, 0] " at every size"
      verdict = goals == "" ? "" : goals ": " (missed == "" ? "met" : "MISSED at " missed)
      if (goals != "") print "scaling." w ".goal " (missed == "" ? "met" : "missed") >>figures
      if (odd != "") verdict = verdict " RECOGNISED DIFFERENTLY at" odd
      printf "   %s\n", verdict
    }
    exit failed
  }' "$results"
