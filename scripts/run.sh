#!/usr/bin/env bash
# Builds the program and starts it in examples/, where the image list shows
# the sample charts; arguments go to the program (an image to open).
# Without a display (a server, an ssh login) the window is served over VNC to
# the user who started it alone (see private_display.sh); Ctrl+C ends the
# program and the VNC server.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
source scripts/private_display.sh
binary="$PWD/build/bin/curvix"
cd examples

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ] || [ -n "${QT_QPA_PLATFORM:-}" ]; then
  exec "$binary" "$@"
fi

start_private_display
trap stop_private_display EXIT
trap 'exit 130' INT TERM

host=$(hostname -f 2>/dev/null || hostname)
cat <<MSG
No display here: Curvix Digitizer is shown over VNC, to you alone: on a UNIX
socket that only your account can open, not on any network port.
  On this machine:    vncviewer $vnc_socket
  From another one:   ssh -L 5901:$vnc_socket ${USER:-$(id -un)}@$host
                      then point a VNC viewer there at localhost:5901
Ctrl+C ends the program and the VNC server.
MSG
DISPLAY=":$display" "$binary" "$@"
