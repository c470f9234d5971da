#!/usr/bin/env bash
# Installs what is missing, builds, starts the bundled central-server simulator
# on 127.0.0.1:17818 and the client pointed at it.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/ensure_packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
ninja -C build tarnek_client central_sim

./build/sim/central_sim --host 127.0.0.1 --port 17818 &
SIM=$!
trap 'kill $SIM 2>/dev/null || true' EXIT
sleep 0.5

cat <<'TXT'
Sunucu benzeticisi 127.0.0.1:17818 adresinde çalışıyor.
Giriş penceresinde:  Kullanıcı Adı: demo   Şifre: 1234   ardından "Bağlan".
TXT

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  ./build/src/app/tarnek_client
else
  echo "Ekran yok: istemci Xvfb altında açılıyor (ekran ${XVFB_SCREEN:-1920x1200x24})."
  xvfb-run -a -s "-screen 0 ${XVFB_SCREEN:-1920x1200x24}" ./build/src/app/tarnek_client
fi
