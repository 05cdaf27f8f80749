#!/usr/bin/env bash
# Installs what is missing, then measures: the engine's benchmarks (with the peer
# expression libraries side by side and allocation counts) and the program's size and
# start-up under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset bench >/dev/null
cmake --build --preset bench
./build/bench/bench/bench_engine --benchmark_repetitions="${REPETITIONS:-5}" --benchmark_report_aggregates_only=true
cmake --preset windows >/dev/null
cmake --build --preset windows --target VemoMed
./bench/startup.sh
