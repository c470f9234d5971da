#!/usr/bin/env bash
# Builds the two Debian packages (tarnek-client, tarnek-sim) in build-pkg/,
# checks them (lintian, desktop-file-validate, appstreamcli), installs them on
# this machine with apt-get, starts the installed simulator (its service where
# systemd runs, otherwise the service's own command line as an unprivileged
# user), starts the installed client under Xvfb and logs it in to that
# simulator by typing into its login window (xdotool), then purges both
# packages again. Needs root (or sudo) and port 17818 free; a full Release
# build, about 10 minutes on two cores. Exit status 0 when every check passed.
#
#   tools/package_check.sh            # everything
#   PKG_BUILD_DIR=/tmp/b tools/package_check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${PKG_BUILD_DIR:-$ROOT/build-pkg}
PORT=17818
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

passed=0
failed=0
step() { printf '\n== %s\n' "$*"; }
ok() { echo "ok: $*"; passed=$((passed + 1)); }
bad() { echo "FAILED: $*"; failed=$((failed + 1)); }
# check "what" command...: runs the command, counts it as passed or failed.
check() {
  local what=$1
  shift
  if "$@"; then ok "$what"; else bad "$what"; fi
}
summary() {
  echo
  echo "package_check: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

WORK=$(mktemp -d)
mkdir -p "$WORK/home"
SIM_PID=""
XVFB_PID=""
CLIENT_PID=""
SIM_STARTED_BY_SYSTEMD=0
cleanup() {
  [ -n "$CLIENT_PID" ] && kill "$CLIENT_PID" 2>/dev/null || true
  [ -n "$SIM_PID" ] && kill "$SIM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  # Never leave the packages behind, whatever failed.
  if dpkg -s tarnek-client >/dev/null 2>&1 || dpkg -s tarnek-sim >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -q tarnek-client tarnek-sim >/dev/null 2>&1 || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

step "tools"
./scripts/ensure_packages.sh
need=(lintian appstream desktop-file-utils xdotool dpkg-dev file xvfb xauth)
missing=()
for p in "${need[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
lintian --version
appstreamcli --version

step "build (Release, Debian's hardening flags) in $BUILD"
# The compiler and linker flags of a Debian package build, without debug
# information (stripped from the packages anyway).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags=${cxxflags//-g /}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCLIENT_BUILD_TESTS=OFF -DCLIENT_BUILD_BENCH=OFF -DCLIENT_BUILD_TOOLS=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
ninja -C "$BUILD" -j"${JOBS:-2}" | tail -n 1
rm -f "$BUILD"/*.deb
(cd "$BUILD" && cpack -G DEB) | grep -E 'package:|CPack Error' || true
CLIENT_DEB=$(ls "$BUILD"/tarnek-client_*.deb)
SIM_DEB=$(ls "$BUILD"/tarnek-sim_*.deb)
check "two packages built" test -f "$CLIENT_DEB" -a -f "$SIM_DEB"

step "contents"
for deb in "$CLIENT_DEB" "$SIM_DEB"; do
  echo "--- $(basename "$deb")"
  dpkg-deb -f "$deb" Package Version Architecture Depends Installed-Size
  dpkg-deb -c "$deb"
done

step "lintian (errors fail; warnings and notes shown)"
check "lintian shows no errors" lintian --fail-on error --display-info "$CLIENT_DEB" "$SIM_DEB"

step "desktop entry, software-centre entry, icons, manual pages"
dpkg-deb -x "$CLIENT_DEB" "$WORK/client"
dpkg-deb -x "$SIM_DEB" "$WORK/sim"
check "desktop-file-validate" desktop-file-validate "$WORK"/client/usr/share/applications/*.desktop
check "appstreamcli validate" appstreamcli validate --no-net "$WORK"/client/usr/share/metainfo/*.metainfo.xml
icons_ok=1
for side in 16 22 24 32 48 64 128 256; do
  png=$(ls "$WORK"/client/usr/share/icons/hicolor/${side}x${side}/apps/*.png)
  file "$png" | grep -q "$side x $side" || { echo "$png is not $side x $side"; icons_ok=0; }
done
ls "$WORK"/client/usr/share/icons/hicolor/scalable/apps/*.svg >/dev/null || icons_ok=0
check "icons 16 to 256 px and the scalable one" test "$icons_ok" = 1
for page in "$WORK"/client/usr/share/man/man1/*.gz "$WORK"/sim/usr/share/man/man1/*.gz; do
  check "manual page $(basename "$page") renders without warnings" \
    test -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"
done

step "install with apt-get"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --reinstall "$CLIENT_DEB" "$SIM_DEB" 2>&1 |
  grep -vE '^(Reading|Building|N: Download is performed unsandboxed)' || true
check "both packages installed" dpkg -s tarnek-client tarnek-sim >/dev/null
UNIT=/lib/systemd/system/tarnek-sim.service
check "site file is a conffile" grep -qx /etc/tarnek-sim/site.json /var/lib/dpkg/info/tarnek-sim.conffiles
check "installed site file passes the simulator's check" /usr/bin/tarnek-sim --site /etc/tarnek-sim/site.json --check
if command -v systemd-analyze >/dev/null; then
  check "systemd-analyze verify tarnek-sim.service" systemd-analyze verify "$UNIT"
fi

step "start the installed simulator"
if (exec 3<>/dev/tcp/127.0.0.1/$PORT) 2>/dev/null; then
  echo "port $PORT is taken by another program: stop it first"
  bad "port $PORT free"
  summary
  exit 1
fi
sim_log() { cat "$WORK/sim.log"; }
if [ -d /run/systemd/system ]; then
  echo "systemd runs: the service"
  since=$(date '+%Y-%m-%d %H:%M:%S')
  $SUDO systemctl restart tarnek-sim.service
  SIM_STARTED_BY_SYSTEMD=1
  sim_log() { $SUDO journalctl -u tarnek-sim.service --since "$since" --no-pager -o cat; }
else
  # The service's command line, as an unprivileged user like the service's own.
  cmd=$(sed -n 's/^ExecStart=//p' "$UNIT")
  set -a
  # shellcheck disable=SC1091
  . /etc/default/tarnek-sim
  set +a
  cmd=${cmd//\$TARNEK_SIM_ARGS/$TARNEK_SIM_ARGS}
  echo "systemd is not running here: the service's command line as user nobody: $cmd"
  # shellcheck disable=SC2086
  setpriv --reuid=nobody --regid=nogroup --clear-groups $cmd >"$WORK/sim.log" 2>&1 &
  SIM_PID=$!
fi
for _ in $(seq 100); do
  (exec 3<>/dev/tcp/127.0.0.1/$PORT) 2>/dev/null && break
  sleep 0.1
done
check "simulator listens on 127.0.0.1:$PORT" grep -q "listening on 127.0.0.1:$PORT" <(sim_log)

step "start the installed client under Xvfb and log in as demo"
Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$WORK/display")
echo "Xvfb on $DISPLAY"
# A user of its own (settings, data): nothing remembered from an earlier run.
HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/home/.config" XDG_DATA_HOME="$WORK/home/.local/share" \
  LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8 /usr/bin/tarnek-client >"$WORK/client.log" 2>&1 &
CLIENT_PID=$!
login=$(timeout 30 xdotool search --sync --onlyvisible --name 'TARNEK' | head -n 1 || true)
check "login window shown" test -n "$login"
if [ -n "$login" ]; then
  timeout 10 xdotool windowfocus --sync "$login" || echo "(focus not confirmed)"
  # User, Enter, password, Enter (to the "Bağlan" button), Enter.
  xdotool type --delay 40 demo
  xdotool key Return
  xdotool type --delay 40 1234
  xdotool key Return
  sleep 0.3
  xdotool key Return
fi
main=$(timeout 30 xdotool search --sync --name 'demo Ba' | head -n 1 || true)
title=$([ -n "$main" ] && xdotool getwindowname "$main" || echo "(no window)")
echo "main window title: $title"
check "client logged in (window title)" test "$title" = "<<<<<<<demo Bağlı.>>>>>>>>>"
sleep 1
echo "--- simulator log (first 16 lines)"
sim_log | head -n 16
check "simulator logged the login" grep -q 'login "demo", 10 devices' <(sim_log)
check "simulator sent the device list" grep -q -- '-> cihazlar<01>' <(sim_log)
check "password masked in the simulator's log" grep -q 'kulsifre<01>demo<01>\*\*\*<02>' <(sim_log)
check "password nowhere in the simulator's log" bash -c '! grep -q "<01>1234<02>" "$1"' _ <(sim_log)

step "stop and remove both packages"
kill "$CLIENT_PID" 2>/dev/null || true
wait "$CLIENT_PID" 2>/dev/null || true
CLIENT_PID=""
if [ "$SIM_STARTED_BY_SYSTEMD" = 1 ]; then
  $SUDO systemctl stop tarnek-sim.service
else
  kill "$SIM_PID" 2>/dev/null || true
  wait "$SIM_PID" 2>/dev/null || true
  SIM_PID=""
fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -q tarnek-client tarnek-sim 2>&1 |
  grep -vE '^(Reading|Building)' || true
check "both packages purged" bash -c '! dpkg -s tarnek-client >/dev/null 2>&1 && ! dpkg -s tarnek-sim >/dev/null 2>&1'
check "no files left" bash -c '! test -e /usr/bin/tarnek-client -o -e /usr/bin/tarnek-sim -o -e /etc/tarnek-sim -o -e /lib/systemd/system/tarnek-sim.service'

summary
