#!/usr/bin/env bash
# Load figure of the simulator: 50 clients logged in at once, each asking its
# device once a second for a minute. Prints the simulator's CPU share and
# resident memory at the start and the end and the answer latency.
#   bench/sim_load.sh [ping|enertum] [more sim_load options]
set -euo pipefail
cd "$(dirname "$0")/.."
request="${1:-enertum}"
shift || true
ninja -C build -j2 central_sim sim_load >/dev/null
echo "== answers at once (--delay 0), every request and answer logged to a file"
./build/bench/sim_load --sim build/sim/central_sim --clients 50 --seconds 60 --request "$request" \
  --sim-args "--delay 0" "$@"
echo "== the default answer delay (50-150 ms), quiet"
./build/bench/sim_load --sim build/sim/central_sim --clients 50 --seconds 60 --request "$request" \
  --sim-args "--quiet" --port 17991 "$@"
