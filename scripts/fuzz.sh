#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer) and runs
# each one for SECONDS seconds (default 60), starting from its seed corpus fuzz/corpus/<target>
# and the inputs that once made it fail, fuzz/regressions/<target>.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Any finding (failed check, sanitizer report, leak, timeout, out of memory) fails the script.
# The input that caused it is left in <build>/fuzz-findings/<target>/; fix the fault, then copy
# the input into fuzz/regressions/<target>/ so that ctest replays it from then on.
# New coverage found along the way is kept in <build>/fuzz-corpus/<target>/ for the next run.
# ORVANE_FUZZ_PRESET chooses the configure preset (default fuzz; fuzz-standard-rules builds the
# parser with the standard SCPI rules) and ORVANE_FUZZ_BUILD_DIR the build directory (default
# the preset's).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(parser_fuzz report_fuzz header_search_fuzz header_search_shapes_fuzz
                                     session_fuzz)
preset=${ORVANE_FUZZ_PRESET:-fuzz}
build=${ORVANE_FUZZ_BUILD_DIR:-build-$preset}

cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=()
for target in "${targets[@]}"; do
  work="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  mkdir -p "$work" "$findings"
  seeds=(fuzz/corpus/"$target")
  [ -d fuzz/regressions/"$target" ] && seeds+=(fuzz/regressions/"$target")
  echo "== $target: ${seconds}s"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -max_len=1024 -dict=fuzz/scpi.dict -print_final_stats=1 \
       -artifact_prefix="$findings/" "$work" "${seeds[@]}" >"$build/fuzz-$target.log" 2>&1; then
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$build/fuzz-$target.log" \
      | tr '\n' ' '
    echo
  else
    echo "FINDING in $target (log: $build/fuzz-$target.log, input in $findings/):"
    grep -E -A25 'ERROR|check failed|runtime error|Timeout|out-of-memory' \
      "$build/fuzz-$target.log" | head -60 || tail -40 "$build/fuzz-$target.log"
    failed+=("$target")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: findings in ${failed[*]}"
  exit 1
fi
echo "fuzz: no findings"
