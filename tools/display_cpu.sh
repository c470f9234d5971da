#!/bin/sh
# The client's processor share while it shows one live device: starts the
# simulator and the client (tools/display_load) under Xvfb, waits for the
# device to show, then reads the client's user and system time from
# /proc/<pid>/stat over a minute.
#   tools/display_cpu.sh BUILD_DIR [SERIAL] [--poll]
set -eu
BUILD=${1:-build}
SERIAL=${2:-12002}
POLL=${3:-}
PORT=$((20000 + $$ % 10000))
SECONDS_MEASURED=${SECONDS_MEASURED:-60}

"$BUILD/sim/central_sim" --port "$PORT" >/dev/null &
SIM=$!
trap 'kill $SIM 2>/dev/null; [ -n "${CLIENT:-}" ] && kill $CLIENT 2>/dev/null; true' EXIT
sleep 1

xvfb-run -a -s "-screen 0 1280x800x24" "$BUILD/tools/display_load" 127.0.0.1 "$PORT" demo 1234 "$SERIAL" $POLL \
    >/tmp/display_load.$$ 2>&1 &
WRAPPER=$!
# The client is the display_load process under xvfb-run.
for i in $(seq 1 100); do
    CLIENT=$(pgrep -n -f "tools/display_load 127.0.0.1 $PORT" || true)
    [ -n "$CLIENT" ] && grep -q selected /tmp/display_load.$$ 2>/dev/null && break
    sleep 0.2
done
[ -n "$CLIENT" ] || { echo "client did not start"; exit 1; }
sleep 5 # first answers and the first repaint

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
HZ=$(getconf CLK_TCK)
T0=$(ticks "$CLIENT")
sleep "$SECONDS_MEASURED"
T1=$(ticks "$CLIENT")
awk -v a="$T0" -v b="$T1" -v hz="$HZ" -v s="$SECONDS_MEASURED" \
    'BEGIN { printf "client CPU over %d s: %.2f s, %.3f %% of one core\n", s, (b - a) / hz, 100 * (b - a) / hz / s }'
grep -v "^selected" /tmp/display_load.$$ | grep " V1 \|^V1" || true
kill "$CLIENT" 2>/dev/null || true
wait "$WRAPPER" 2>/dev/null || true
rm -f /tmp/display_load.$$
