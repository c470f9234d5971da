#!/usr/bin/env bash
# Installs what is missing, builds, starts the bundled central-server simulator
# on 127.0.0.1:17818 and the client pointed at it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure_packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build tarnek_client central_sim

# The simulator's traffic log goes to a file; the terminal stays readable.
SIM_LOG=build/central_sim.log
./build/sim/central_sim --host 127.0.0.1 --port 17818 >"$SIM_LOG" 2>&1 &
SIM=$!
trap 'kill $SIM 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  (exec 3<>/dev/tcp/127.0.0.1/17818) 2>/dev/null && break
  kill -0 $SIM 2>/dev/null || { cat "$SIM_LOG"; exit 1; }
  sleep 0.1
done

# The users work with Turkish regional settings (decimal comma, day.month.year);
# CLIENT_LANG chooses others.
case "${CLIENT_LANG:-${LC_ALL:-${LANG:-}}}" in
  tr_*) lang="${CLIENT_LANG:-${LC_ALL:-${LANG}}}" ;;
  *) lang="${CLIENT_LANG:-tr_TR.UTF-8}" ;;
esac

cat <<TXT
Sunucu benzeticisi 127.0.0.1:17818 adresinde çalışıyor (kayıt: $SIM_LOG).
Giriş penceresinde:  Kullanıcı Adı: demo   Şifre: 1234   ardından "Bağlan".
Soldaki cihaz çubuğunda bir cihaza tıklayın; değerleri her saniye yenilenir.
TXT

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  LANG="$lang" LC_ALL="$lang" ./build/src/app/tarnek_client
else
  echo "Ekran yok: istemci Xvfb altında açılıyor (ekran ${XVFB_SCREEN:-1920x1200x24})."
  LANG="$lang" LC_ALL="$lang" xvfb-run -a -s "-screen 0 ${XVFB_SCREEN:-1920x1200x24}" \
    ./build/src/app/tarnek_client
fi
