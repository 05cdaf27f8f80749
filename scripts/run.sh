#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it: directly on
# Windows, under Wine elsewhere. With no display, it starts a virtual one, shows the
# window there, saves a screenshot and says where.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

case "$(uname -s)" in
  MINGW*|MSYS*|CYGWIN*)
    cmake --preset windows >/dev/null && cmake --build --preset windows --target VemoMed
    exec ./build/windows/app/VemoMed.exe "$@"
    ;;
esac

./scripts/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target VemoMed
./scripts/wine-prefix.sh
exe=$root/build/windows/app/VemoMed.exe

if [ -n "${DISPLAY:-}" ] || [ "$#" -gt 0 ]; then
  exec ./scripts/wine-exec "$exe" "$@"
fi

# No display: a virtual one, the window on it, a screenshot, then the program closes.
display=:77
Xvfb "$display" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
./scripts/wine-exec "$exe" &
program=$!
for _ in $(seq 50); do
  xdotool search --name "VemoMed|GCS" >/dev/null 2>&1 && break
  sleep 0.2
done
sleep 1
shot=$root/build/run-screenshot.png
import -display "$display" -window root "$shot"
echo "no display here: the window was shown on a virtual display; screenshot saved to $shot"
WINEPREFIX=$root/build/wine wineserver -k >/dev/null 2>&1 || true
wait "$program" 2>/dev/null || true
