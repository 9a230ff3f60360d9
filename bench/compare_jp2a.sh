#!/usr/bin/env bash
# Times tessaglyph-convert against jp2a on the same 4000 x 3000 JPEG at width
# 300, alternating the two, and prints the median times and the median of the
# ratios of each pair of runs.
# Usage: bench/compare_jp2a.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-21}"
command -v jp2a >/dev/null || { echo "jp2a is not installed (apt-get install jp2a)"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
photo="$work/photo.jpg"
QT_QPA_PLATFORM=offscreen "$build/make-samples" --photo 4000 3000 "$photo"

now() { date +%s%N; }
ours=()
theirs=()
ratios=()
for _ in $(seq "$runs"); do
  t0=$(now); "$build/tessaglyph-convert" "$photo" --width 300 >/dev/null; t1=$(now)
  jp2a --width=300 "$photo" >/dev/null; t2=$(now)
  ours+=($(( (t1 - t0) / 1000 )))
  theirs+=($(( (t2 - t1) / 1000 )))
  ratios+=($(awk -v a=$(( t1 - t0 )) -v b=$(( t2 - t1 )) 'BEGIN {printf "%.4f", a / b}'))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
m_ours=$(median "${ours[@]}")
m_theirs=$(median "${theirs[@]}")
echo "tessaglyph-convert --width 300: median ${m_ours} us over $runs runs"
echo "jp2a --width=300:               median ${m_theirs} us over $runs runs"
echo "median ratio (tessaglyph-convert / jp2a): $(median "${ratios[@]}")"
