#!/bin/sh
# Runs a test inside a private D-Bus session with a keyring of its own,
# unlocked, in a throw-away home folder: the desktop keyring path runs for real
# and the user's own keyring is never touched.
#   with_keyring.sh TEST [ARGS…]
set -eu
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
dbus-run-session -- sh -c 'printf test | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "$@"' \
  with_keyring "$@"
