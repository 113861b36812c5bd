#!/usr/bin/env bash
# Start-up of the editor against a bare Qt window of the same size, both
# offscreen and quitting after their first paint: median wall time and peak
# memory over RUNS runs each, and the ratios. Targets: time within 3x, memory
# within 1.5x.
set -euo pipefail
BUILD=${1:-build}
RUNS=${RUNS:-15}
export QT_QPA_PLATFORM=offscreen
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT

measure() { # program -> lines "seconds kilobytes"
  for _ in $(seq "$RUNS"); do
    local start end kib
    start=$(date +%s%N)
    kib=$(/usr/bin/time -f '%M' "$1" 2>&1 >/dev/null | tail -n 1)
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 ))e-6 $kib"
  done
}
median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

editor=$(measure "$BUILD/bench/startup_editor")
bare=$(measure "$BUILD/bench/startup_bare")
et=$(echo "$editor" | awk '{print $1}' | median); em=$(echo "$editor" | awk '{print $2}' | median)
bt=$(echo "$bare" | awk '{print $1}' | median); bm=$(echo "$bare" | awk '{print $2}' | median)
printf 'editor: %s s, %s KiB peak\nbare:   %s s, %s KiB peak\n' "$et" "$em" "$bt" "$bm"
awk -v et="$et" -v bt="$bt" -v em="$em" -v bm="$bm" 'BEGIN {
  tr = (bt > 0) ? et / bt : 0; mr = em / bm;
  printf "time ratio %.2f (target <= 3), memory ratio %.2f (target <= 1.5)\n", tr, mr }'
