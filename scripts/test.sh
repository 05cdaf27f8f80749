#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: natively, natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, a short run of each fuzz target, and
# the Windows build under Wine, where the real program is driven on a (virtual, if need
# be) display.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

for preset in native sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== fuzz targets, a short run each"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

echo "== windows (under Wine)"
cmake --preset windows >/dev/null
cmake --build --preset windows
source ./scripts/display.sh
./scripts/wine-prefix.sh
ctest --preset windows --timeout 600
