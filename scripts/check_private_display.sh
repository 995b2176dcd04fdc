#!/usr/bin/env bash
# Checks that the display run.sh serves when there is none is its owner's
# alone: no TCP port, the VNC socket and its folder closed to others, and the
# X display refusing a client without the run's cookie. As root, it also
# connects as another account (nobody), which must be refused on both.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/private_display.sh
start_private_display
trap stop_private_display EXIT
failed=0
fail() { echo "private display: $*" >&2; failed=1; }

# A TCP listener shows in the server's log as "... port N".
if grep -qiE 'Listening for VNC connections on .*port' "$private_dir/Xvnc.log"; then fail "Xvnc listens on a TCP port"; fi
banner=$(python3 -c "import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); print(s.recv(12).decode().strip())" "$vnc_socket")
[[ $banner == RFB* ]] || fail "the VNC socket does not answer its owner"
[ "$(stat -c %a "$private_dir")" = 700 ] || fail "its folder is open to others"
[ "$(stat -c %a "$vnc_socket")" = 600 ] || fail "the VNC socket is open to others"
[ "$(stat -c %a "$XAUTHORITY")" = 600 ] || fail "the cookie is readable by others"
XAUTHORITY=/dev/null DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 && fail "the X display takes a client without the cookie"
DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 || fail "the X display refuses its owner"
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  as_nobody() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
  as_nobody env XAUTHORITY=/nonexistent DISPLAY=":$display" xdpyinfo >/dev/null 2>&1 \
    && fail "another account reaches the X display"
  as_nobody bash -c "exec 3<>/dev/tcp/127.0.0.1/$((5900 + display))" 2>/dev/null \
    && fail "another account reaches a VNC port"
  as_nobody python3 -c "import socket,sys; s=socket.socket(socket.AF_UNIX); s.connect(sys.argv[1])" "$vnc_socket" 2>/dev/null \
    && fail "another account opens the VNC socket"
fi
if [ "$failed" -ne 0 ]; then
  echo "private display: 0 passed, 1 failed"
  exit 1
fi
echo "private display: 1 passed, 0 failed"
