#!/usr/bin/env bash
# Renders the committed PNG icons from the SVG beside this script. Run it after editing
# the SVG (needs rsvg-convert, Debian package librsvg2-bin); the build uses the PNGs as
# committed, so it needs no SVG renderer.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
svg=net.morvale.Zantor.svg
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}"
  rsvg-convert --width "$size" --height "$size" --format png "$svg" \
    --output "${size}x${size}/net.morvale.Zantor.png"
done
