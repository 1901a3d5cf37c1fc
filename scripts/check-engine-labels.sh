#!/usr/bin/env bash
# check-engine-labels.sh BUILD_DIR: runs every test of the build that does not carry
# the label "engine" under strace, and fails when one of them, or a program it
# starts, opens a Firebird database: the engine's lock file of an embedded
# database, or a connection to the test server (QUELMAR_TEST_SERVER). So a test
# without the label can run where there is no Firebird at all.
# The layer probes only compile, and are left out.
set -uo pipefail
build=${1:?usage: check-engine-labels.sh BUILD_DIR}
command -v strace >/dev/null || { echo "check-engine-labels: strace is missing" >&2; exit 1; }

trace=$(mktemp)
trap 'rm -f "$trace"' EXIT
strace -f -qq -s 256 -e trace=execve,openat,connect -o "$trace" \
  ctest --test-dir "$build" -LE engine -E '^layers\.' >/dev/null
tests=$?
echo "tests without the label: $(ctest --test-dir "$build" -N -LE engine | sed -n 's/^Total Tests: //p')"
[ "$tests" -eq 0 ] || { echo "check-engine-labels: a test without the label failed" >&2; exit 1; }

pattern='fb_lock_'
[ -n "${QUELMAR_TEST_SERVER:-}" ] && pattern+="|htons\\(${QUELMAR_TEST_SERVER#*/}\\)"
# One test at a time, so the test running is the last one started.
offenders=$(awk -v pattern="$pattern" '
  /execve\(/ && /gtest_filter=/ { match($0, /gtest_filter=[^"]*/); test = substr($0, RSTART + 13, RLENGTH - 13) }
  $0 ~ pattern { print test }' "$trace" | sort -u)
[ -z "$offenders" ] && { echo "no test without the label opens a Firebird database"; exit 0; }
echo "check-engine-labels: these open a Firebird database without the label \"engine\":" >&2
echo "$offenders" >&2
exit 1
