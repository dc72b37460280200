#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything and starts the window Parsola.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
if [ -x build/app/gui/parsola ]; then
  exec build/app/gui/parsola "$@"
else
  echo "The window is not built yet; the console front end is build/app/cli/parsola-cli."
fi
