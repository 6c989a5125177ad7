# Sourced by scripts that need a display: starts Xvfb on a display number
# it chooses itself (-displayfd, so two scripts started together never pick
# the same one) unless DISPLAY already names a working one, and stops it on
# exit.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  tessaro_display_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$tessaro_display_file" >/dev/null 2>&1 &
  tessaro_xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$tessaro_display_file" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$tessaro_display_file")"
  rm -f "$tessaro_display_file"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  trap 'kill $tessaro_xvfb_pid 2>/dev/null || true' EXIT
fi
