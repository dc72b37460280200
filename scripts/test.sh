#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test, then the tests of a build with
# the standard SCPI rules, the bare-metal builds with their sizes, the tests again under the
# sanitizers and every fuzz target for about a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
ctest --preset default -j2
# A real VISA client: PyVISA against the simulated power supply psu-sim.
scripts/pyvisa-test.sh build
# The standard SCPI rules (ORVANE_SCPI_STANDARD_RULES=ON): their own tests and every test that
# does not hold the library's own tree-path and optional-node rules (label default-rules).
cmake --preset standard-rules
cmake --build --preset standard-rules
ctest --preset standard-rules -j2
# The bare-metal builds (presets cortex-m4 and cortex-m0: the libraries alone), installed as any
# build is; then their firmware images, the sizes beside the x86-64 ones, the goals and the
# check that no double-precision routine is linked; then the instruction counts, and every
# published figure compared with what the two scripts measured.
for cpu in m4 m0; do
  cmake --preset cortex-$cpu
  cmake --build --preset cortex-$cpu
done
cmake --install build-cortex-m4 --prefix build-cortex-m4/install-check
scripts/figures.sh --check
# The parser's records and the power supply's answers on emulated Cortex-M4 and Cortex-M0 cores
# (QEMU), compared with the host's.
ORVANE_HOST_BUILD_DIR="$PWD/build" scripts/firmware-compare.sh cortex-m4 cortex-m0
# The unit tests again, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j2
# Every fuzz target for a bounded time (ORVANE_FUZZ_SECONDS each, default 60); a finding fails.
scripts/fuzz.sh "${ORVANE_FUZZ_SECONDS:-60}"
# The parser and the differential header-search targets again with the standard SCPI rules,
# whose node walk the index must serve as well, for half that time.
ORVANE_FUZZ_PRESET=fuzz-standard-rules scripts/fuzz.sh "$(( ${ORVANE_FUZZ_SECONDS:-60} / 2 ))" \
  parser_fuzz header_search_fuzz header_search_shapes_fuzz
