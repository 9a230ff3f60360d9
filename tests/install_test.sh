#!/usr/bin/env bash
# The install rules: what `cmake --install` puts where, and that the
# installed converter finds its way without the build folder.
set -euo pipefail
build=${1:?build folder}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
fail() { echo "install_test: $*" >&2; exit 1; }
for f in bin/tessaglyph bin/tessaglyph-convert bin/tessaglyph-banner; do
  [ -x "$prefix/$f" ] || fail "$f is not installed as a program"
done
for lang in English Russian Arabic French SimplifiedChinese; do
  [ -f "$prefix/share/tessaglyph/language/$lang.ini" ] || fail "language $lang missing"
done
ls "$prefix"/share/tessaglyph/images/*.png >/dev/null 2>&1 || fail "no sample pictures"
[ ! -e "$prefix/share/tessaglyph/images/.made" ] || fail "the build's stamp was installed"
desktop="$prefix/share/applications/tessaglyph.desktop"
[ -f "$desktop" ] || fail "no desktop entry"
grep -qx 'Exec=tessaglyph' "$desktop" || fail "desktop entry does not start tessaglyph"
grep -qx 'Icon=tessaglyph' "$desktop" || fail "desktop entry names no icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop entry is not valid"
fi
icon="$prefix/share/icons/hicolor/scalable/apps/tessaglyph.svg"
[ -f "$icon" ] || fail "no icon"
grep -q '<svg' "$icon" || fail "the icon is no SVG drawing"
sample=$(ls "$prefix"/share/tessaglyph/images/*.png | head -1)
out=$(cd / && "$prefix/bin/tessaglyph-convert" --width 20 "$sample")
[ "$(printf '%s\n' "$out" | head -1 | tr -d '\r' | wc -c)" -eq 41 ] || fail "the installed converter gave: $out"
echo "install_test: ok"
