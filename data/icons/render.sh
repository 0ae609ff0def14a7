#!/usr/bin/env bash
# Renders the PNG sizes of the icons from their SVG sources (run after an SVG
# changes; the PNGs are kept in the repository so that a build needs no SVG
# renderer). Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for svg in *.svg; do
  for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert -w "$size" -h "$size" -o "${size}x${size}/${svg%.svg}.png" "$svg"
  done
done
