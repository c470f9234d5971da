#!/bin/sh
# Soak run: the simulator and the client as two real processes, the client
# under Xvfb used unattended by tools/soak_client (a device click, then every
# page of its kind and every button on it, device after device, round after
# round). Every 30 s the client's resident memory and processor time are read
# from /proc and written to a CSV file. Every DROP_MINUTES the simulator is
# stopped and started again on the same port, which drops the connection:
# the client has to come back by itself. At the end the resident memory at
# the start, after 5 minutes and at the end, its highest value, the average
# processor share, the drops against the client's reconnections and the
# duplicated device bar items are printed; the exit status is 1 when a drop
# went without a reconnection or the bar holds a duplicate.
#   tools/soak.sh BUILD_DIR MINUTES [OUT.csv] [soak_client options, e.g. --live 12001]
# Environment: SIM_ARGS (unset: "--generate 500"; empty: the demo site),
# DROP_MINUTES (default 5; 0: no drops), SOAK_USER / SOAK_PASSWORD (default
# demo / 1234).
# Not part of the test suite: 30 minutes is the usual run.
set -eu
BUILD=${1:-build}
MINUTES=${2:-30}
CSV=${3:-/tmp/soak-$$.csv}
shift 3 2>/dev/null || shift $#
PORT=$((30000 + $$ % 10000))
LOG=/tmp/soak-client-$$.log

SIM_ARGS=${SIM_ARGS---generate 500}
DROP_MINUTES=${DROP_MINUTES:-5}
SOAK_USER=${SOAK_USER:-demo}
SOAK_PASSWORD=${SOAK_PASSWORD:-1234}
SIMLOG=/tmp/soak-sim-$$.log

start_sim() {
    # shellcheck disable=SC2086 # SIM_ARGS is a list of options
    "$BUILD/sim/central_sim" --port "$PORT" --quiet $SIM_ARGS >>"$SIMLOG" 2>&1 &
    SIM=$!
    sleep 1
    kill -0 "$SIM" 2>/dev/null || { echo "the simulator did not start ($SIM_ARGS):"; tail -5 "$SIMLOG"; exit 1; }
}
start_sim
cleanup() {
    # Under set -e a failing kill would end the trap before the simulator goes.
    if [ -n "${CLIENT:-}" ]; then kill "$CLIENT" 2>/dev/null || true; fi
    kill "$SIM" 2>/dev/null || true
}
trap cleanup EXIT

# A display number of its own: two xvfb-run -a starting at once may take the
# same one, and the first to end takes the other's server with it.
xvfb-run -a -n $((200 + $$ % 500)) -s "-screen 0 1280x800x24" "$BUILD/tools/soak_client" 127.0.0.1 "$PORT" "$SOAK_USER" "$SOAK_PASSWORD" "$@" >"$LOG" 2>&1 &
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
NEXT_SAMPLE=$START
NEXT_DROP=$((DROP_MINUTES > 0 ? START + DROP_MINUTES * 60 : END + 1))
DROPS=0
while :; do
    NOW=$(date +%s)
    [ -d "/proc/$CLIENT" ] || { echo "client ended early"; tail -20 "$LOG"; exit 1; }
    if [ "$NOW" -ge "$NEXT_SAMPLE" ]; then
        echo "$((NOW - START)),$(rss "$CLIENT"),$(($(ticks "$CLIENT") - T0)),$(rss "$SIM" 2>/dev/null || echo 0)" >>"$CSV"
        NEXT_SAMPLE=$((NEXT_SAMPLE + 30))
    fi
    [ "$NOW" -ge "$END" ] && break
    if [ "$NOW" -ge "$NEXT_DROP" ] && [ "$NOW" -lt "$((END - 30))" ]; then
        # The server goes away for a moment: the connection drops and the
        # client's first attempts are refused until it is back.
        kill "$SIM" 2>/dev/null || true
        wait "$SIM" 2>/dev/null || true
        DROPS=$((DROPS + 1))
        echo "drop $DROPS after $((NOW - START)) s" >>"$SIMLOG"
        start_sim
        NEXT_DROP=$((NEXT_DROP + DROP_MINUTES * 60))
    fi
    sleep 5
done
# The last drop's reconnection and bar, once more before the end.
sleep 1

awk -F, -v hz="$HZ" 'NR == 2 { first = $2 }
     NR > 1 { if ($1 <= 300) five = $2; last = $2; secs = $1; cpu = $3; if ($2 > max) max = $2 }
     END {
       printf "client resident memory: start %d KiB, after 5 min %d KiB, end %d KiB, highest %d KiB\n", first, five, last, max
       printf "client processor time: %.1f s over %d s, %.2f %% of one core on average\n", cpu / hz, secs, 100 * cpu / hz / secs
     }' "$CSV"
echo "rounds: $(grep -c '^round' "$LOG"), device clicks: $(grep -c '^select' "$LOG"), button clicks: $(grep -c '^  page' "$LOG")"
grep '^stores:' "$LOG" | tail -1
RECONNECTS=$(grep -c '^reconnected' "$LOG" || true)
echo "watch sweeps finished: $(grep -c '^sweep finished' "$LOG" || true)"
DUPLICATES=$(grep '^stores:' "$LOG" | tail -1 | sed -n 's/.*duplicates \([0-9]*\).*/\1/p')
echo "connection drops: $DROPS, reconnections: $RECONNECTS, duplicated bar items at the end: ${DUPLICATES:-unknown}"
echo "error boxes: $(grep -c '^error box' "$LOG"), samples: $CSV, client log: $LOG, simulator log: $SIMLOG"
kill "$CLIENT" 2>/dev/null || true
wait "$WRAPPER" 2>/dev/null || true
STATUS=0
[ "$RECONNECTS" -ge "$DROPS" ] || { echo "FAIL: fewer reconnections than drops"; STATUS=1; }
[ "${DUPLICATES:-0}" = 0 ] || { echo "FAIL: the device bar holds duplicates"; STATUS=1; }
exit $STATUS
