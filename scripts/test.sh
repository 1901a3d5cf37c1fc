#!/usr/bin/env bash
# Installs what is missing, builds, starts a private Firebird server on loopback,
# runs every test with CTest, repeats the run in a sanitizer build, and stops the
# server it started, also when a test fails. Exits non-zero on any failure.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/setup.sh || { echo "test: setup failed" >&2; exit 1; }

source scripts/test-server.sh
trap stop_test_server EXIT INT TERM

# A compiler cache, where the machine has one, makes a repeated run cheap; paths are
# taken relative to the checkout so that another clone shares the cache.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$root"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build() { # build DIR [cmake options...]
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >"$dir.configure.log" 2>&1 ||
    { cat "$dir.configure.log" >&2; return 1; }
  cmake --build "$dir" -j "$jobs"
}

# Tests that show windows run on the offscreen platform.
export QT_QPA_PLATFORM=offscreen

status=0
mkdir -p out
build out/build || exit 1
start_test_server || exit 1

echo "== tests"
ctest --test-dir out/build -j "$jobs" --output-on-failure 2>&1 | tee out/ctest.log
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

echo "== the tests without the label \"engine\" open no Firebird database"
bash scripts/check-engine-labels.sh out/build || status=1

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
if build out/build-sanitize -DQUELMAR_SANITIZE=ON -DQUELMAR_BENCHMARKS=OFF; then
  # Leak checking stops every thread at exit, and the Firebird client's own
  # threads are still winding down then, which crashes the checker itself; memory
  # errors and undefined behaviour are still caught.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir out/build-sanitize -j "$jobs" --output-on-failure 2>&1 | tee out/ctest-sanitize.log
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
else
  status=1
fi

echo "== fuzzing the text parsers (libFuzzer, 20 seconds)"
if CXX=clang++ build out/build-fuzz -DQUELMAR_FUZZERS=ON -DQUELMAR_SANITIZE=ON -DQUELMAR_BENCHMARKS=OFF; then
  corpus=out/fuzz-corpus
  mkdir -p "$corpus"
  out/build-fuzz/tests/fuzz/fuzz_parsers -max_total_time=20 -print_final_stats=1 "$corpus" tests/fuzz/seeds \
    > out/fuzz.log 2>&1 || { tail -n 40 out/fuzz.log >&2; status=1; }
  grep -E '^(Done|stat::number_of_executed_units)' out/fuzz.log || true
else
  status=1
fi

echo "== summary"
echo "plain build:     $(grep -E 'tests passed' out/ctest.log || echo 'no summary')"
echo "sanitizer build: $(grep -E 'tests passed' out/ctest-sanitize.log 2>/dev/null || echo 'no summary')"
[ $status -eq 0 ] && echo "all checks passed" || echo "FAILED"
exit $status
