#!/usr/bin/env bash
# Runs the window driver under Wine on a display: the caller's, or a virtual one that
# lives as long as this script, so that the test also runs from a bare `ctest`.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
source "$here/scripts/display.sh"
"$here/scripts/wine-prefix.sh"
"$here/scripts/wine-exec" "$@"
