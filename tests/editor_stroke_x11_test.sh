#!/usr/bin/env bash
# Draws a stroke on the Editor page with the real mouse on a real X server and
# saves the grid through the real save dialog.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
command -v xdotool >/dev/null || { echo "xdotool is missing (scripts/setup.sh installs it)"; exit 1; }

cp "$build/tessaglyph" "$work/"
mkdir "$work/saves"
printf '[Options]\r\nfirstStart=0\r\n' > "$work/tessaglyph.ini"

source "$(dirname "$0")/x11_support.sh"
StartXvfb "$work"
export DISPLAY="$display"

QT_QPA_PLATFORM=xcb "$work/tessaglyph" >"$work/app.log" 2>&1 &
app=$!
window=""
for _ in $(seq 300); do
  window=$(xdotool search --onlyvisible --name '^Tessaglyph 1\.72$' 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear"; cat "$work/app.log"; exit 1; }
sleep 0.5
xdotool windowfocus --sync "$window" || true

# Points in the window: the "Editor" tab, the grid's cell (col, row) with
# cells of 10 x 16 from the grid's corner, and the "Save" button.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
gridx() { echo $((157 + $1 * 10 + 5)); }
gridy() { echo $((46 + $1 * 16 + 8)); }

click 140 31
# A fast stroke along row 10 from column 5 to column 40: few movements, each
# far from the last, with the left button held.
xdotool mousemove --window "$window" "$(gridx 5)" "$(gridy 10)" mousedown 1
sleep 0.1
for col in 17 29 40; do
  xdotool mousemove --window "$window" "$(gridx $col)" "$(gridy 10)"
  sleep 0.1
done
xdotool mouseup 1
sleep 0.3
# Save: the dialog offers "ascii.txt" in "saves"; Return accepts it.
windows() { xdotool search --onlyvisible --name '.*' 2>/dev/null | wc -l; }
before=$(windows)
click 78 146
for _ in $(seq 300); do [ "$(windows)" -gt "$before" ] && break; sleep 0.1; done
sleep 0.5
xdotool key Return
for _ in $(seq 300); do [ -s "$work/saves/ascii.txt" ] && break; sleep 0.1; done

file="$work/saves/ascii.txt"
[ -f "$file" ] || { echo "nothing was saved"; cat "$work/app.log"; exit 1; }
size=$(stat -c %s "$file")
row=$(sed -n 11p "$file" | tr -d '\r')
expected="$(printf '%5s' '')$(printf '#%.0s' $(seq 36))$(printf '%59s' '')"
failed=0
[ "$size" -eq 10200 ] || { echo "saved $size bytes, expected 10200"; failed=1; }
[ "$row" = "$expected" ] || { echo "row 10 reads '$row'"; failed=1; }
others=$(grep -c '#' "$file" || true)
[ "$others" -eq 1 ] || { echo "$others rows hold '#', expected 1"; failed=1; }
if [ "$failed" -ne 0 ]; then echo "0 passed, 1 failed"; exit 1; fi
kill -0 "$app"
echo "stroke of 36 cells drawn and saved"
echo "1 passed, 0 failed"
