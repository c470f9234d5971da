#!/usr/bin/env bash
# Installs the Debian packages the client needs to build, test and run; a
# warm machine that has them all skips the download. PostgreSQL is there for
# the history tests, which start a server of their own (no service needed).
set -euo pipefail
need=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-svg-dev qt6-charts-dev qtkeychain-qt6-dev
      qt6-l10n-tools qt6-tools-dev qt6-translations-l10n gnome-keyring dbus-daemon
      libbenchmark-dev fonts-dseg fonts-dejavu-core xvfb xauth clang libclang-rt-14-dev
      libqt6sql6-sqlite libqt6sql6-psql postgresql)
missing=()
for p in "${need[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Kuruluyor: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
