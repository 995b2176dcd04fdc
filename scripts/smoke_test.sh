#!/usr/bin/env bash
# Starts the real program under Xvfb and uses it as a person would: "OK"
# with no file selected, the message closed with Enter, then the exit button.
# Passes when the program wrote Curvix.ini with four CR LF lines and ended.
set -euo pipefail
binary=$(realpath "${1:-$(dirname "$0")/../build/bin/curvix}")

source "$(dirname "$0")/xvfb.sh"
real_window_session

(cd "$work" && exec "$binary") >"$work/app.log" 2>&1 &
app=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Curvix-Digitizer$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool windowfocus --sync "$wid"

# "OK" (client 8,208 73x25) with nothing selected: the message box opens.
xdotool mousemove --sync $((X + 44)) $((Y + 220)) click 1
wait_windows 2 smoke
xdotool key Return
wait_windows 1 smoke

# The exit button (client 32,816 33x33) saves the settings and ends the program.
xdotool mousemove --sync $((X + 48)) $((Y + 832)) click 1
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
  echo "smoke: the program did not end after the exit button" >&2
  exit 1
fi
app=

expected=$(printf '0\r\n0\r\n100\r\n100\r\n' | od -An -c)
actual=$(od -An -c "$work/Curvix.ini" 2>/dev/null || echo missing)
if [ "$actual" != "$expected" ]; then
  echo "smoke: Curvix.ini holds: $actual" >&2
  exit 1
fi
echo "smoke: 1 passed, 0 failed"
