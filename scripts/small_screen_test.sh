#!/usr/bin/env bash
# Starts the real program under Xvfb on a 1280 x 720 screen and reaches, as
# a person would, the controls below the screen's edge: the window is
# scrolled down with the mouse wheel, "File Save" is clicked (its message
# shows and is closed with Enter), then the exit button, which saves the
# settings and ends the program.
set -euo pipefail
binary=$(realpath "${1:-$(dirname "$0")/../build/bin/curvix}")

source "$(dirname "$0")/xvfb.sh"
real_window_session 1280x720

(cd "$work" && exec "$binary") >"$work/app.log" 2>&1 &
app=$!
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Curvix-Digitizer$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$wid")"
if [ "$HEIGHT" -gt 720 ] || [ "$WIDTH" -gt 1280 ]; then
  echo "small screen: the window is ${WIDTH}x${HEIGHT}, larger than the screen" >&2
  exit 1
fi
xdotool windowfocus --sync "$wid"

# Wheel down over "Auto Digitize" (a button passes the wheel to the window) to the bottom.
xdotool mousemove --sync $((X + 88)) $((Y + 300))
for _ in $(seq 30); do xdotool click 5; done
sleep 0.3
shift_up=$((854 - HEIGHT)) # the layout's bottom now meets the window's

# "File Save" (layout 8,784 161x25) with no name typed: its message opens.
xdotool mousemove --sync $((X + 88)) $((Y + 796 - shift_up)) click 1
wait_windows 2 "small screen"
xdotool key Return
wait_windows 1 "small screen"

# The exit button (layout 32,816 33x33) saves the settings and ends the program.
xdotool mousemove --sync $((X + 48)) $((Y + 832 - shift_up)) click 1
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
  echo "small screen: the program did not end after the exit button" >&2
  exit 1
fi
app=
[ -s "$work/Curvix.ini" ] || { echo "small screen: no Curvix.ini written" >&2; exit 1; }
echo "small screen: 1 passed, 0 failed"
