# Sourced by the scripts that need a real X server: starts Xvfb on a free
# display, exports DISPLAY and sets xvfb (its process) for the caller to end.
# Usage: start_xvfb FOLDER [WIDTHxHEIGHT]   (a scratch folder for the display number)
start_xvfb() {
  exec 3>"$1/display"
  Xvfb -displayfd 3 -screen 0 "${2:-1400x1000}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 50); do [ -s "$1/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$1/display")"
  unset QT_QPA_PLATFORM
}

# A scratch folder in $work, Xvfb on it, the program's recovery file kept
# apart from the user's, and everything ended on exit (the program too, as
# $app once started). Usage: real_window_session [WIDTHxHEIGHT]
real_window_session() {
  work=$(mktemp -d)
  trap 'real_window_cleanup' EXIT
  start_xvfb "$work" "${1:-1400x1000}"
  export XDG_DATA_HOME="$work/data"
}
real_window_cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}

# The program's visible top-level windows, and waiting until there are $1 of them
# ($2 names the caller in the failure message).
windows() { xdotool search --onlyvisible --name '^Curvix-Digitizer$' 2>/dev/null | wc -l; }
wait_windows() {
  for _ in $(seq 100); do [ "$(windows)" -eq "$1" ] && return 0; sleep 0.1; done
  echo "${2:-xvfb}: expected $1 visible window(s), found $(windows)" >&2
  return 1
}
