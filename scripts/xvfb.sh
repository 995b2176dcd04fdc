# Sourced by the scripts that need a real X server: starts Xvfb on a free
# display, exports DISPLAY and sets xvfb (its process) for the caller to end.
# Usage: start_xvfb FOLDER   (a scratch folder for the display number)
start_xvfb() {
  exec 3>"$1/display"
  Xvfb -displayfd 3 -screen 0 1400x1000x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$1/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$1/display")"
  unset QT_QPA_PLATFORM
}
