# Sourced by the whole-program tests that need a real X server.
# StartXvfb WORKDIR: starts Xvfb on a display number it picks itself, waits
# until the server answers, and sets xvfb (its process) and display (":N").
StartXvfb() {
  local work="$1"
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 300); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
  display=":$(tr -d '[:space:]' <"$work/display")"
  for _ in $(seq 300); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb does not answer on $display"; cat "$work/xvfb.log"
  return 1
}
