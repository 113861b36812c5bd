#!/usr/bin/env bash
# Previews of many skins: one kvztool run over SKINS skins (one offscreen
# editor reused) against single runs, one process a skin. Both are timed as
# whole processes by hyperfine -N, nothing of the measuring tool's own in the
# timed span: the batch run directly, the single runs as SINGLES processes
# of which the median is scaled to SKINS. Reported: the time a skin takes
# in a batch and in a run of its own, and the batch's share of the single
# runs (a single run is cheap now, so the share says more about start-up
# than about drawing). The same for check --readability; and a thumbnail's
# run against a preview's.
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
# The readability figures the same way: the batch against single runs, and
# against the previews of the same skins (exit status 1: the skins have
# figures under what they need, as the standard skin has).
hyperfine -N -i --warmup 1 --runs "$RUNS" --export-csv figures.csv \
  "$K check --readability --json $args" > /dev/null
hyperfine -N -i --warmup 3 --runs $((RUNS * 6)) --export-csv figure.csv \
  "$K check --readability --json skins/s1.kvz" > /dev/null
# A file manager's thumbnail: one run, against a preview's run of its own.
hyperfine -N --warmup 3 --runs $((RUNS * 6)) --export-csv thumbnail.csv \
  "$K thumbnail --size 128 skins/s1.kvz thumbnail.png" > /dev/null
median() { awk -F, 'NR == 2 { print $4 }' "$1"; } # command,mean,stddev,median,...
report() {
  awk -v what="$1" -v b="$2" -v s="$3" -v n="$SKINS" 'BEGIN {
    printf "%s of %d skins in one run: %.3f s; one skin a run: %.1f ms, %d runs %.1f s\n", what, n, b, s * 1000, n, s * n
    printf "  a skin in the batch: %.2f ms; batch / single runs: %.1f%%\n", 1000 * b / n, 100 * b / (s * n) }'
}
report previews "$(median batch.csv)" "$(median single.csv)"
report "readability figures" "$(median figures.csv)" "$(median figure.csv)"
awk -v t="$(median thumbnail.csv)" -v s="$(median single.csv)" \
  'BEGIN { printf "a thumbnail (128 pixels): %.1f ms, a preview run: %.1f ms (%.0f%%)\n", t * 1000, s * 1000, 100 * t / s }'
awk -v f="$(median figures.csv)" -v p="$(median batch.csv)" \
  'BEGIN { printf "figures / previews of the same skins: %.1f%%\n", 100 * f / p }'
