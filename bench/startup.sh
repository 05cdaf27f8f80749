#!/usr/bin/env bash
# Times `VemoMed.exe --selftest` as a whole process under Wine against an empty static
# Win32 program (the floor: Wine's own start), and prints the program's size. The two
# are run alternately, so that drift of the machine's state touches both alike.
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
python3 - "$empty" "$exe" "${RUNS:-100}" <<'PY'
import os, statistics, subprocess, sys, time
empty, exe, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
commands = {"empty": ["wine", empty], "selftest": ["wine", exe, "--selftest", "report.txt"]}
times = {name: [] for name in commands}
for i in range(runs + 5):
    order = ["empty", "selftest"] if i % 2 == 0 else ["selftest", "empty"]
    for name in order:
        start = time.perf_counter()
        subprocess.run(commands[name], check=False)
        if i >= 5:  # the first rounds only warm up
            times[name].append(time.perf_counter() - start)
floor, selftest = statistics.median(times["empty"]), statistics.median(times["selftest"])
print("Start-up under Wine (medians of %d alternating runs):" % runs)
print("  empty Win32 program     %.1f ms" % (floor * 1000))
print("  VemoMed.exe --selftest  %.1f ms  (%+.1f%% of the floor; target within 10%%)" % (selftest * 1000, (selftest / floor - 1) * 100))
print("Program file: %d bytes (%.0f KiB; limit 1 MiB)" % (os.path.getsize(exe), os.path.getsize(exe) / 1024))
PY
