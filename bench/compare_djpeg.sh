#!/usr/bin/env bash
# Taking a picture against a plain full decode: the CPU time of IntakeBench's
# TakePicture (read, upright, 24-bit, pyramid, preview, first render) and of
# djpeg on the same 4000 x 3000 JPEG.
# Usage: bench/compare_djpeg.sh [BUILD_DIR] [RUNS]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-21}"
command -v djpeg >/dev/null || { echo "djpeg is not installed (apt-get install libjpeg-turbo-progs)"; exit 1; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
photo="$work/photo.jpg"
QT_QPA_PLATFORM=offscreen "$build/make-samples" --photo 4000 3000 "$photo"

cpu=()
for _ in $(seq "$runs"); do
  /usr/bin/time -f '%U %S' -o "$work/time" djpeg -outfile /dev/null "$photo"
  cpu+=($(awk '{printf "%d", ($1 + $2) * 1000}' "$work/time"))
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "djpeg (full decode): median $(median "${cpu[@]}") ms CPU over $runs runs"
TESSAGLYPH_PHOTO="$photo" "$build/bench/IntakeBench" --benchmark_filter=TakePicture \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
