#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Starts the built psu-sim on a free port of 127.0.0.1, runs the PyVISA tests (tests/pyvisa)
# against it with Debian's Python, and stops it. Extra arguments go to pytest.
#
#   scripts/pyvisa-test.sh BUILD_DIR [PYTEST_ARGS...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/pyvisa-test.sh BUILD_DIR [PYTEST_ARGS...]}
shift
sim=$(find "$build" -name psu-sim -type f -perm -u+x | head -1)
[ -n "$sim" ] || { echo "pyvisa-test.sh: no psu-sim in $build" >&2; exit 1; }

log=$(mktemp)
"$sim" --port 0 2>"$log" &
pid=$!
stop() {
  kill -TERM "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  rm -f "$log"
}
trap stop EXIT
# psu-sim names the port it took once it listens.
port=
for _ in $(seq 100); do
  port=$(sed -n 's/^psu-sim: listening on .*:\([0-9]*\)$/\1/p' "$log")
  [ -n "$port" ] && break
  kill -0 "$pid" 2>/dev/null || { cat "$log" >&2; exit 1; }
  sleep 0.05
done
[ -n "$port" ] || { echo "pyvisa-test.sh: psu-sim did not start" >&2; exit 1; }

status=0
PSU_SIM_PORT=$port PSU_SIM_PID=$pid /usr/bin/python3 -m pytest -q -p no:cacheprovider -W ignore::DeprecationWarning \
  tests/pyvisa "$@" || status=$?
# SIGTERM must end the simulator cleanly.
kill -TERM "$pid" 2>/dev/null || true
wait "$pid" || { echo "pyvisa-test.sh: psu-sim ended with $? on SIGTERM" >&2; status=1; }
trap 'rm -f "$log"' EXIT
exit $status
