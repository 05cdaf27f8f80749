#!/usr/bin/env bash
# Times `VemoMed.exe --selftest` as a whole process under Wine against an empty static
# Win32 program (the floor: Wine's own start), and prints the program's size.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
exe=$root/build/windows/app/VemoMed.exe
empty=$root/build/bench/empty_program.exe
mkdir -p "$root/build/bench"
x86_64-w64-mingw32-gcc-posix -O2 -s -static -mwindows -municode bench/empty_program.c -o "$empty"

export WINEPREFIX=$root/build/wine WINEDEBUG=-all
./scripts/wine-prefix.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
hyperfine -N --warmup 5 --runs "${RUNS:-60}" --export-json "$work/startup.json" \
  --command-name "empty Win32 program" "wine $empty" \
  --command-name "VemoMed.exe --selftest" "wine $exe --selftest report.txt" >/dev/null
python3 - "$work/startup.json" "$exe" <<'PY'
import json, os, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
empty, selftest = results["empty Win32 program"], results["VemoMed.exe --selftest"]
print("Start-up under Wine (median of %d runs):" % len(selftest["times"]))
print("  empty Win32 program     %.1f ms" % (empty["median"] * 1000))
print("  VemoMed.exe --selftest  %.1f ms  (%+.1f%% of the floor; target within 10%%)" %
      (selftest["median"] * 1000, (selftest["median"] / empty["median"] - 1) * 100))
print("Program file: %d bytes (%.0f KiB; limit 1 MiB)" % (os.path.getsize(sys.argv[2]), os.path.getsize(sys.argv[2]) / 1024))
PY
