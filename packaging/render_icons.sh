#!/usr/bin/env bash
# Renders the application icon's PNG sizes from its SVG source (run after
# changing packaging/tarnek-client.svg; needs rsvg-convert from librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for side in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$side" -h "$side" tarnek-client.svg -o "icons/tarnek-client-$side.png"
done
