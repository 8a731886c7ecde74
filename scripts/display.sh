# Sourced: makes sure a display is there for Wine. Uses the caller's DISPLAY when it works,
# otherwise starts (or reuses) a virtual one.
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  return 0 2>/dev/null || exit 0
fi
export DISPLAY=:${WETHRIX_XVFB_DISPLAY:-87}
if ! xdpyinfo >/dev/null 2>&1; then
  rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
  Xvfb "$DISPLAY" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
