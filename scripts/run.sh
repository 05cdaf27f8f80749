#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and starts it: directly on
# Windows, under Wine elsewhere. With no display, it shows the window on a virtual
# one, saves a screenshot, says where, and closes the program.
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
exe=$root/build/windows/app/VemoMed.exe

vemomed_own_display=""
source ./scripts/display.sh
./scripts/wine-prefix.sh
if [ -z "$vemomed_own_display" ] || [ "$#" -gt 0 ]; then
  exec ./scripts/wine-exec "$exe" "$@"
fi

./scripts/wine-exec "$exe" &
program=$!
for _ in $(seq 100); do
  xdotool search --name "GCS" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
shot=$root/build/run-screenshot.png
import -window root "$shot"
echo "No display here: the window was shown on a virtual display ($DISPLAY)."
echo "Screenshot: $shot"
WINEPREFIX=$root/build/wine wineserver -k >/dev/null 2>&1 || true
wait "$program" 2>/dev/null || true
