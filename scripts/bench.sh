#!/usr/bin/env bash
# Builds the benchmarks, starts a private Firebird server on loopback for the
# server figures, runs every benchmark and stops the server. Each program prints
# its ratios to a baseline measured in the same run.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
bash scripts/setup.sh || exit 1
cmake -S . -B out/build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build out/build -j "$(nproc)" || exit 1
source scripts/test-server.sh
trap stop_test_server EXIT INT TERM
start_test_server || exit 1
export QT_QPA_PLATFORM=offscreen
for b in out/build/bench/bench_*; do
  echo "== $b"
  "$b" "$@"
done
