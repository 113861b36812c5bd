#!/usr/bin/env bash
# Previews of many skins: one kvztool run over SKINS skins (one offscreen
# editor reused) against single runs, one process a skin. Both are timed as
# whole processes by hyperfine -N, nothing of the measuring tool's own in the
# timed span: the batch run directly, the single runs as SINGLES processes
# of which the median is scaled to SKINS. Reported: the time a skin takes
# in a batch and in a run of its own, and the batch's share of the single
# runs (a single run is cheap now, so the share says more about start-up
# than about drawing).
set -euo pipefail
BUILD=${1:-build}
SKINS=${SKINS:-1000}
RUNS=${RUNS:-5}
K="$PWD/$BUILD/tools/kvztool"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
cd "$work"
mkdir skins
for i in $(seq "$SKINS"); do
  "$K" new - | "$K" set - PitanjeC1="#$(printf '%06X' $((i * 2654435761 % 16777216)))" > "skins/s$i.kvz"
done
args=$(printf 'skins/s%d.kvz ' $(seq "$SKINS"))
hyperfine -N --warmup 1 --runs "$RUNS" --export-csv batch.csv \
  "$K preview --force --out-dir out $args" > /dev/null
hyperfine -N --warmup 3 --runs $((RUNS * 6)) --export-csv single.csv \
  "$K preview --force --skin skins/s1.kvz one.png" > /dev/null
median() { awk -F, 'NR == 2 { print $4 }' "$1"; } # command,mean,stddev,median,...
batch=$(median batch.csv)
single=$(median single.csv)
awk -v b="$batch" -v s="$single" -v n="$SKINS" 'BEGIN {
  printf "%d skins in one run: %.3f s; one skin a run: %.1f ms, %d runs %.1f s\n", n, b, s * 1000, n, s * n
  printf "a skin in the batch: %.1f ms; batch / single runs: %.1f%%\n", 1000 * b / n, 100 * b / (s * n) }'
