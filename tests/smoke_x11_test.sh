#!/usr/bin/env bash
# Starts the real application on a real X server and waits for its window.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The application lives in a folder of its own, as it would when installed,
# with a settings file that skips the first-run dialog.
cp "$build/tessaglyph" "$work/"
cp -r "$build/images" "$work/images"
printf '[Options]\r\nfirstStart=0\r\n' > "$work/tessaglyph.ini"

source "$(dirname "$0")/x11_support.sh"
StartXvfb "$work"

DISPLAY="$display" QT_QPA_PLATFORM=xcb "$work/tessaglyph" >"$work/app.log" 2>&1 &
app=$!
for _ in $(seq 300); do
  if DISPLAY="$display" xwininfo -root -tree 2>/dev/null | grep -q '"Tessaglyph 1.72"'; then
    geometry=$(DISPLAY="$display" xwininfo -name "Tessaglyph 1.72" | awk '/Map State/ {print $3}')
    if [ "$geometry" = "IsViewable" ]; then
      echo "window shown: Tessaglyph 1.72"
      kill -0 "$app"
      echo "1 passed, 0 failed"
      exit 0
    fi
  fi
  sleep 0.1
done
echo "the window did not appear"; cat "$work/app.log"
exit 1
