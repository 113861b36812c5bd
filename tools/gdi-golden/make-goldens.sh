#!/usr/bin/env bash
# Remakes tests/data/gdi/ from the classic Windows raster engine as Wine
# implements it: builds gdi_golden.c with mingw-w64, runs it under wine64 in
# a scratch prefix, and turns its pictures into PNG. Needs the Debian
# packages wine64, gcc-mingw-w64-x86-64 and imagemagick, none of which the
# build, the tests or CI use.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../../tests/data/gdi"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

x86_64-w64-mingw32-gcc -O2 -Wall -o "$work/gdi_golden.exe" "$here/gdi_golden.c" -lgdi32
wine=$(dpkg -L wine64 | grep '/wine64$' | head -n 1)
export WINEPREFIX="$work/prefix" WINEDEBUG=-all
mkdir -p "$work/images" "$out"
"$wine" "$work/gdi_golden.exe" lines "Z:$work/lines.txt" 2>/dev/null
"$wine" "$work/gdi_golden.exe" images "Z:$work/images" 2>/dev/null

cp "$work/lines.txt" "$out/lines.txt"
for ppm in "$work"/images/*.ppm; do
  name=$(basename "$ppm" .ppm)
  convert "$ppm" -define png:exclude-chunks=date,time "$out/$name.png"
done
echo "wrote $(wc -l < "$out/lines.txt") strokes and $(ls "$out"/*.png | wc -l) images to tests/data/gdi"
