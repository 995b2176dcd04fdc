#!/usr/bin/env bash
# Builds the program and starts it in examples/, where the image list shows
# the sample charts; arguments go to the program (an image to open).
# Without a display (a server, an ssh login) the window is served over VNC on
# the loopback address only, so that nobody else on the network can see or
# drive it; Ctrl+C ends the program and the VNC server.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
binary="$PWD/build/bin/curvix"
cd examples

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exec "$binary" "$@"
fi

# The first free display number from :1 up.
display=1
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
  display=$((display + 1))
done
port=$((5900 + display))
vnc_log=$(mktemp)
Xvnc ":$display" -localhost=1 -interface 127.0.0.1 -rfbport "$port" -SecurityTypes None \
  -geometry 1280x900 -depth 24 -nolisten tcp >"$vnc_log" 2>&1 &
vnc=$!
cleanup() {
  kill "$vnc" 2>/dev/null || true
  rm -f "$vnc_log"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
if ! kill -0 "$vnc" 2>/dev/null; then
  echo "run: the VNC server did not start:" >&2
  cat "$vnc_log" >&2
  exit 1
fi

host=$(hostname -f 2>/dev/null || hostname)
cat <<MSG
No display here: Curvix Digitizer is shown over VNC, on this machine's loopback address only.
  On this machine:    point a VNC viewer at 127.0.0.1:$port
  From another one:   ssh -L $port:127.0.0.1:$port ${USER:-$(id -un)}@$host
                      then point a VNC viewer there at localhost:$port
Ctrl+C ends the program and the VNC server.
MSG
DISPLAY=":$display" "$binary" "$@"
