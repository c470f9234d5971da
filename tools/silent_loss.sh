#!/usr/bin/env bash
# How long the client takes to notice a server that goes silent without
# closing the connection (power lost, a router forgetting it), and to be back
# once the server can be reached again. Needs root (a network namespace and a
# veth pair; the server's side of the pair is taken down, so that every packet
# is lost both ways and nobody answers with a reset).
#   tools/silent_loss.sh [BUILD] [idle|busy] [SECONDS_CUT]
# idle: the client sends nothing meanwhile (keep-alive probes find the loss);
# busy: the driver clicks the live device every second, so requests go out
# unacknowledged (the bound on unacknowledged data finds the loss).
# Prints the seconds from the cut to the connection's end as the kernel sees
# it and, when idle, whether the client logged in again by itself once the
# path was restored (a click while it retries is the user's own reconnection,
# through the login window, so a busy run does not wait for that).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}" mode="${2:-idle}" cut_for="${3:-200}"
[ "$(id -u)" -eq 0 ] || { echo "silent_loss: needs root" >&2; exit 2; }
ns=tarnek_sl host_if=tsl0 ns_if=tsl1 host_ip=10.77.0.1 sim_ip=10.77.0.2 port=17818
log="$(mktemp -d)"
cleanup() {
  kill "${client:-}" "${sim:-}" 2>/dev/null || true
  ip netns pids "$ns" 2>/dev/null | xargs -r kill 2>/dev/null || true
  ip link del "$host_if" 2>/dev/null || true
  ip netns del "$ns" 2>/dev/null || true
}
trap cleanup EXIT
cleanup
ip netns add "$ns"
ip link add "$host_if" type veth peer name "$ns_if"
ip link set "$ns_if" netns "$ns"
ip addr add "$host_ip/24" dev "$host_if" && ip link set "$host_if" up
ip netns exec "$ns" ip addr add "$sim_ip/24" dev "$ns_if"
ip netns exec "$ns" ip link set "$ns_if" up
ip netns exec "$ns" ip link set lo up

ip netns exec "$ns" "$build/sim/central_sim" --host "$sim_ip" --port "$port" >"$log/sim.log" 2>&1 &
sim=$!
sleep 1
poll=0; [ "$mode" = busy ] && poll=1000
QT_QPA_PLATFORM=offscreen "$build/tools/soak_client" "$sim_ip" "$port" demo 1234 --live 12002 --poll-ms "$poll" \
  >"$log/client.log" 2>&1 &
client=$!
established() { ss -Htn state established dst "$sim_ip:$port" | grep -c . || true; }
for _ in $(seq 100); do [ "$(established)" -ge 1 ] && break; sleep 0.2; done
[ "$(established)" -ge 1 ] || { echo "silent_loss: the client did not connect"; cat "$log/client.log"; exit 1; }
sleep 10

echo "cutting the path both ways ($mode client) at $(date +%T)"
ip netns exec "$ns" ip link set "$ns_if" down
start=$SECONDS gone=""
while [ $((SECONDS - start)) -lt "$cut_for" ]; do
  if [ -z "$gone" ] && [ "$(established)" -eq 0 ]; then
    gone=$((SECONDS - start)); echo "connection given up after ${gone} s"
  fi
  sleep 1
done
[ -n "$gone" ] || echo "connection still held after ${cut_for} s"
ip netns exec "$ns" ip link set "$ns_if" up
echo "path restored at $(date +%T)"
[ "$mode" = idle ] || exit 0
for _ in $(seq 120); do grep -q "reconnected after" "$log/client.log" && break; sleep 1; done
grep "reconnected after" "$log/client.log" | head -n 1 || echo "the client did not log in again within 2 minutes"
