#!/usr/bin/env bash
# Draws the application icon "MAINICON": the game's angular answer panel in
# the default skin colours (steel-blue outline and stems, a gradient from
# orange to pale peach). MAINICON.svg is the drawing; the 16, 32 and 48
# pixel pictures are fitted to their pixel grids by hand below, the larger
# ones rendered from the SVG. Needs ImageMagick and rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
draw() { # size, stem rectangle, outer hexagon, inner hexagon
  local s=$1
  convert -size ${s}x${s} xc:none -fill '#5588b3' -draw "rectangle $2" -draw "polygon $3" /tmp/icon-base.png
  convert -size ${s}x${s} gradient:'#ff9900-#fedead' -rotate -90 /tmp/icon-grad.png
  convert -size ${s}x${s} xc:black -fill white -draw "polygon $4" /tmp/icon-mask.png
  convert /tmp/icon-base.png /tmp/icon-grad.png /tmp/icon-mask.png -composite -define png:exclude-chunks=date,time MAINICON_${s}.png
  rm -f /tmp/icon-base.png /tmp/icon-grad.png /tmp/icon-mask.png
}
draw 16 "0,7.5 15,8.49" "2,8 4.3,3.7 11.7,3.7 14,8 11.7,12.3 4.3,12.3" "3,8 5,4.7 11,4.7 13,8 11,11.3 5,11.3"
draw 32 "0,15 31,16.99" "4,16 8.7,7.3 23.3,7.3 28,16 23.3,24.7 8.7,24.7" "6,16 10,9.3 22,9.3 26,16 22,22.7 10,22.7"
draw 48 "0,22.5 47,25.49" "6,24 13,11 35,11 42,24 35,37 13,37" "9,24 15,14 33,14 39,24 33,34 15,34"
for s in 64 128 256; do
  rsvg-convert -w $s -h $s MAINICON.svg -o MAINICON_$s.png
done
