#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: natively, natively under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

for preset in native sanitize; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

echo "== windows (under Wine)"
./scripts/wine-prefix.sh
cmake --preset windows >/dev/null
cmake --build --preset windows
ctest --preset windows --timeout 300
