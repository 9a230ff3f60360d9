#!/usr/bin/env bash
# Builds one libFuzzer target (clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer) into build-fuzz/ and runs it for SECONDS
# (default 60) on its seeds from tests/fuzz/TARGET/ and the corpus it grew
# before (build-fuzz/corpus/TARGET/). Findings land in
# build-fuzz/findings/TARGET/. Targets: picture, settings, language, editor.
# Not run by CI; run it under nice on a shared machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
if [ $# -lt 1 ]; then
  echo "usage: $0 picture|settings|language|editor [SECONDS]" >&2
  exit 2
fi
target="$1"
seconds="${2:-60}"
case "$target" in
  picture) program=PictureFuzz ;;
  settings) program=SettingsFuzz ;;
  language) program=LanguageFuzz ;;
  editor) program=EditorFuzz ;;
  *) echo "unknown target $target (picture, settings, language or editor)" >&2; exit 2 ;;
esac
# With clang and its sanitizer and fuzzer runtimes.
"$root/scripts/setup.sh" clang libclang-rt-14-dev

build="$root/build-fuzz"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DTESSAGLYPH_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    "${launcher[@]}"
fi
cmake --build "$build" -j2 --target "$program"

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# No hang: an input that takes 10 s is a finding; bounded memory: 2.5 GB.
exec "$build/fuzz/$program" "$corpus" "$root/tests/fuzz/$target" \
  -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 -max_len=65536 \
  -artifact_prefix="$findings/" -print_final_stats=1
