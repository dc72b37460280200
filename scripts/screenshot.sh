#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Renders the Parsola window to docs/images/parsola.png: the real program, run on a virtual X
# display, parses a sample with "Display Access Function Calls" ticked and saves its window.
#   scripts/screenshot.sh [OUTPUT.png [SAMPLE_INDEX]]   (the index of a cboSamples item, 0 to 82)
set -euo pipefail
cd "$(dirname "$0")/.."
output="${1:-docs/images/parsola.png}"
sample=(${2:+--sample "$2"})
exe="${PARSOLA:-build/app/gui/parsola}"
if [ ! -x "$exe" ]; then
  cmake --preset default
  cmake --build --preset default --target parsola
fi
mkdir -p "$(dirname "$output")"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
xvfb-run -a -s "-screen 0 1024x768x24" "$exe" --screenshot "$output" "${sample[@]}"
echo "Wrote $output"
