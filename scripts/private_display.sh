# Sourced by run.sh (and its test): starts an X display served over VNC that
# only the user who starts it can reach. Other local users are kept out:
# - the X display asks for a cookie made for this run (Xvnc -auth), kept in a
#   folder only its owner can enter;
# - VNC listens on no TCP port, only on a UNIX socket in that folder, mode
#   0600; `ssh -L PORT:SOCKET` forwards it to another machine.
# Sets: display, private_dir, vnc_socket, vnc_pid, XAUTHORITY (exported).

start_private_display() {
  display=1
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  private_dir=$(mktemp -d "${TMPDIR:-/tmp}/curvix-display.XXXXXX") # mode 0700
  vnc_socket="$private_dir/vnc.socket"
  export XAUTHORITY="$private_dir/Xauthority"
  (umask 077 && : >"$XAUTHORITY" && xauth -q -f "$XAUTHORITY" add ":$display" . "$(mcookie)")
  Xvnc ":$display" -auth "$XAUTHORITY" -rfbport -1 -rfbunixpath "$vnc_socket" -rfbunixmode 0600 \
    -SecurityTypes None -geometry 1280x900 -depth 24 -nolisten tcp >"$private_dir/Xvnc.log" 2>&1 &
  vnc_pid=$!
  for _ in $(seq 50); do [ -S "$vnc_socket" ] && [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  if ! kill -0 "$vnc_pid" 2>/dev/null || [ ! -S "$vnc_socket" ]; then
    echo "run: the VNC server did not start:" >&2
    cat "$private_dir/Xvnc.log" >&2
    return 1
  fi
}

stop_private_display() {
  kill "$vnc_pid" 2>/dev/null || true
  wait "$vnc_pid" 2>/dev/null || true
  rm -rf "$private_dir"
}
