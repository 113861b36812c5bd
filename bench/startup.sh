#!/usr/bin/env bash
# Start-up of the editor against a bare Qt window of the same size, both
# offscreen and quitting after their first paint. Time: hyperfine runs the
# two programs as whole processes, with no shell and nothing of its own in
# the timed span, alternately in rounds; the ratio is of the medians.
# Memory: peak resident size from /usr/bin/time -v, in runs of their own,
# medians.
# Targets: time within 2.0x, memory within 1.4x (on an idle machine).
set -euo pipefail
BUILD=${1:-build}
RUNS=${RUNS:-30}
MEMORY_RUNS=${MEMORY_RUNS:-10}
export QT_QPA_PLATFORM=offscreen
scratch=$(mktemp -d)
export XDG_CONFIG_HOME=$scratch/config XDG_RUNTIME_DIR=$scratch/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
trap 'rm -rf "$scratch"' EXIT
editor=$BUILD/bench/startup_editor
bare=$BUILD/bench/startup_bare

# Rounds of a few runs each, the order swapped every round, so that a
# change in the machine's load falls on both programs alike.
ROUNDS=${ROUNDS:-6}
for round in $(seq "$ROUNDS"); do
  order=("$editor" "$bare")
  [ $((round % 2)) = 0 ] && order=("$bare" "$editor")
  hyperfine -N --warmup 3 --runs $((RUNS / ROUNDS)) --style none \
    --export-json "$scratch/round-$round.json" "${order[@]}" > /dev/null
done
times_of() { # program -> one run's seconds a line, every round
  jq -r --arg c "$1" '.results[] | select(.command == $c) | .times[]' "$scratch"/round-*.json
}

median() { sort -g | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
peak_kib() { # program -> one run's peak resident KiB
  /usr/bin/time -v "$1" 2>&1 >/dev/null | sed -n 's/.*Maximum resident set size (kbytes): //p'
}
for _ in $(seq "$MEMORY_RUNS"); do
  peak_kib "$editor" >> "$scratch/editor.kib"
  peak_kib "$bare" >> "$scratch/bare.kib"
done
et=$(times_of "$editor" | median); bt=$(times_of "$bare" | median)
em=$(median < "$scratch/editor.kib"); bm=$(median < "$scratch/bare.kib")

awk -v e="$et" -v b="$bt" -v em="$em" -v bm="$bm" -v n="$(times_of "$editor" | wc -l)" 'BEGIN {
  printf "editor: %.1f ms median of %d runs, %.1f MiB peak\n", e * 1000, n, em / 1024
  printf "bare:   %.1f ms median of %d runs, %.1f MiB peak\n", b * 1000, n, bm / 1024
  printf "time ratio %.2f (target <= 2.0), memory ratio %.2f (target <= 1.4)\n", e / b, em / bm }'
