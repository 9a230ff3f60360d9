#!/usr/bin/env bash
# Configures (once) and builds everything into build/ with two jobs. Uses
# ccache where it is installed, so that several checkouts share compiled
# objects.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$root/build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
fi
cmake --build "$root/build" -j2
