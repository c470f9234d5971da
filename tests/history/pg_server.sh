#!/usr/bin/env bash
# A throw-away PostgreSQL server for the history tests.
#   pg_server.sh start DIR   makes a cluster in a temporary folder, starts it
#                            on a free port of 127.0.0.1, writes DIR/port and
#                            DIR/cluster (the folder)
#   pg_server.sh pause DIR   stops it, keeping its data
#   pg_server.sh resume DIR  starts it again on the same port
#   pg_server.sh stop DIR    stops it and removes its folder
# DIR is one per build folder, so two builds tested at once never meet. The
# server runs as the user "postgres" when started by root (it refuses to run
# as root), else as the caller.
set -euo pipefail
cmd=${1:?start|pause|resume|stop}
dir=${2:?folder}
mkdir -p "$dir"

bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
    echo "pg_server.sh: PostgreSQL is not installed (scripts/ensure_packages.sh installs it)" >&2
    exit 1
fi
as_server() {
    if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
cluster() { cat "$dir/cluster"; }

start_on() { # port
    as_server "$bin/pg_ctl" -D "$(cluster)/data" -l "$(cluster)/log" -w -t 30 \
        -o "-p $1 -k $(cluster) -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=50" start >/dev/null
}

case "$cmd" in
start)
    if [ -f "$dir/cluster" ]; then "$0" stop "$dir" || true; fi
    folder=$(mktemp -d /tmp/history-pg.XXXXXX)
    chmod 755 "$folder"
    echo "$folder" > "$dir/cluster"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$folder"
    as_server "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C --no-sync >/dev/null
    # A free port: another server taking it first only means trying again.
    for _ in $(seq 1 20); do
        port=$((20000 + RANDOM % 20000))
        if start_on "$port" 2>/dev/null; then
            echo "$port" > "$dir/port"
            exit 0
        fi
    done
    echo "pg_server.sh: no port found; log:" >&2
    cat "$folder/log" >&2 || true
    exit 1
    ;;
pause)
    as_server "$bin/pg_ctl" -D "$(cluster)/data" -m fast -w stop >/dev/null
    ;;
resume)
    start_on "$(cat "$dir/port")"
    ;;
stop)
    if [ -f "$dir/cluster" ]; then
        as_server "$bin/pg_ctl" -D "$(cluster)/data" -m immediate -w stop >/dev/null 2>&1 || true
        rm -rf "$(cluster)"
        rm -f "$dir/cluster" "$dir/port"
    fi
    ;;
*)
    echo "pg_server.sh: start|pause|resume|stop DIR" >&2
    exit 1
    ;;
esac
