#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the record-table benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
build=${TESSRIN_BUILD:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

"$build"/bench/record_table_bench
