#!/bin/sh
# Soak run: the simulator and the client as two real processes, the client
# under Xvfb used unattended by tools/soak_client (a device click, then every
# page of its kind and every button on it, device after device, round after
# round). Every 30 s the client's resident memory and processor time are read
# from /proc and written to a CSV file; at the end the resident memory at the
# start, after 5 minutes and at the end, its highest value and the average
# processor share are printed.
#   tools/soak.sh BUILD_DIR MINUTES [OUT.csv] [soak_client options, e.g. --live 12001]
# Not part of the test suite: 30 minutes is the usual run.
set -eu
BUILD=${1:-build}
MINUTES=${2:-30}
CSV=${3:-/tmp/soak-$$.csv}
shift 3 2>/dev/null || shift $#
PORT=$((30000 + $$ % 10000))
LOG=/tmp/soak-client-$$.log

"$BUILD/sim/central_sim" --port "$PORT" --quiet >/dev/null 2>&1 &
SIM=$!
cleanup() {
    # Under set -e a failing kill would end the trap before the simulator goes.
    if [ -n "${CLIENT:-}" ]; then kill "$CLIENT" 2>/dev/null || true; fi
    kill "$SIM" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

# A display number of its own: two xvfb-run -a starting at once may take the
# same one, and the first to end takes the other's server with it.
xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1280x800x24" "$BUILD/tools/soak_client" 127.0.0.1 "$PORT" demo 1234 "$@" >"$LOG" 2>&1 &
WRAPPER=$!
CLIENT=
for i in $(seq 1 100); do
    CLIENT=$(pgrep -n -f "tools/soak_client 127.0.0.1 $PORT" || true)
    [ -n "$CLIENT" ] && grep -q "^select\|^round" "$LOG" 2>/dev/null && break
    sleep 0.2
done
[ -n "$CLIENT" ] || { echo "client did not start"; cat "$LOG"; exit 1; }

HZ=$(getconf CLK_TCK)
rss() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

echo "seconds,client_rss_kib,client_cpu_ticks,sim_rss_kib" >"$CSV"
START=$(date +%s)
T0=$(ticks "$CLIENT")
END=$((START + MINUTES * 60))
while :; do
    NOW=$(date +%s)
    [ -d "/proc/$CLIENT" ] || { echo "client ended early"; tail -20 "$LOG"; exit 1; }
    echo "$((NOW - START)),$(rss "$CLIENT"),$(($(ticks "$CLIENT") - T0)),$(rss "$SIM")" >>"$CSV"
    [ "$NOW" -ge "$END" ] && break
    sleep 30
done

awk -F, -v hz="$HZ" 'NR == 2 { first = $2 }
     NR > 1 { if ($1 <= 300) five = $2; last = $2; secs = $1; cpu = $3; if ($2 > max) max = $2 }
     END {
       printf "client resident memory: start %d KiB, after 5 min %d KiB, end %d KiB, highest %d KiB\n", first, five, last, max
       printf "client processor time: %.1f s over %d s, %.2f %% of one core on average\n", cpu / hz, secs, 100 * cpu / hz / secs
     }' "$CSV"
echo "rounds: $(grep -c '^round' "$LOG"), device clicks: $(grep -c '^select' "$LOG"), button clicks: $(grep -c '^  page' "$LOG")"
grep '^stores:' "$LOG" | tail -1
echo "error boxes: $(grep -c '^error box' "$LOG"), samples: $CSV, client log: $LOG"
kill "$CLIENT" 2>/dev/null || true
wait "$WRAPPER" 2>/dev/null || true
