# Sourced: makes sure there is an X display for Wine's windows. Without one, starts a
# virtual one (Xvfb) that ends with the calling script, and exports DISPLAY.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
  vemomed_xvfb=$!
  trap 'kill $vemomed_xvfb 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  vemomed_own_display=1
  # A Wine server started on another display (or none) keeps that screen's size: start
  # this prefix's server afresh on this one.
  WINEPREFIX=${WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine} wineserver -k >/dev/null 2>&1 || true
fi
