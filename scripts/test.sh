#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and runs every test, then the tests again under
# the sanitizers and every fuzz target for about a minute each.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
ctest --preset default -j2
# The unit tests again, built with clang under AddressSanitizer and UndefinedBehaviorSanitizer.
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j2
# Every fuzz target for a bounded time (ORVANE_FUZZ_SECONDS each, default 60); a finding fails.
scripts/fuzz.sh "${ORVANE_FUZZ_SECONDS:-60}"
