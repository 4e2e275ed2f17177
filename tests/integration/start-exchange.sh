#!/usr/bin/env bash
# Starts the integration tests' own exchange: sandbox/run with this build folder's run folder
# and port base, fresh data. One left over from an interrupted run of the same folder is
# stopped first.
#
#   start-exchange.sh SANDBOX_DIR RUN_FOLDER PORT_BASE
set -euo pipefail
sandbox=$1 rundir=$2 base=$3

"$sandbox/stop" --rundir "$rundir" --port-base "$base"
if ! "$sandbox/run" --daemon --quiet --rundir "$rundir" --port-base "$base"; then
  echo "start-exchange: choose other ports with cmake -DTOVANTA_TEST_PORT_BASE=N" >&2
  exit 1
fi
