#!/usr/bin/env bash
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs the whole suite there (extra arguments go to ctest).
# Leaks of the libraries' own one-time objects are suppressed by
# scripts/sanitize.supp, each with its reason. Not run by CI, which runs the
# plain suite; run it under nice on a shared machine.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# With GCC's sanitizer runtimes.
"$root/scripts/setup.sh" libasan8 libubsan1

build="$root/build-sanitize"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON "${launcher[@]}"
fi
cmake --build "$build" -j2

# A failed allocation must come back as null (the code checks for it) rather
# than end the program; a sanitizer finding ends the program with status 99,
# which no test takes for one of the programs' own statuses.
export ASAN_OPTIONS="suppressions=$root/scripts/sanitize-asan.supp:detect_leaks=1:allocator_may_return_null=1:exitcode=99:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=99"
export LSAN_OPTIONS="suppressions=$root/scripts/sanitize.supp:print_suppressions=0"
cd "$build"
ctest -j2 --output-on-failure "$@"
