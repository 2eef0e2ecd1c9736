#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the native unit tests
# (ASan + UBSan), the fuzz targets for a short run, the Windows tests of the x86_64 build under
# wine64 and, where this machine runs 32-bit code, the Windows tests of the i686 release under
# 32-bit Wine; the release checks of the i686 binaries run everywhere. The optimised benchmarks
# are built, not run. Ends with a summary of every suite; the exit status is non-zero if any
# build or test failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/setup.sh || exit 1
. scripts/probe-32bit.sh

status=0
summary=()
step() {
  echo "==> $*"
  "$@" || { echo "==> FAILED: $*"; status=1; summary+=("FAILED: $*"); }
}
# Runs one CTest preset and keeps its result line ("100% tests passed, ...") for the summary.
suite() {
  local name=$1; shift
  local out rc
  out=$(mktemp)
  echo "==> ctest $*"
  ctest "$@" 2>&1 | tee "$out"
  rc=${PIPESTATUS[0]}
  local result
  result=$(grep -E 'tests passed|No tests were found' "$out" | tail -n 1)
  # A suite run with --repeat until-pass:2 that failed once and then passed is named, so that
  # a flake shows in every summary even when it does not fail the run.
  local retried
  retried=$(grep -E '^ *[0-9]+/[0-9]+ Test +#[0-9]+: .*\*\*\*(Failed|Timeout|Exception)' "$out" |
              sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/' | sort -u | tr '\n' ' ')
  rm -f "$out"
  [ $rc -eq 0 ] || { status=1; result="FAILED: ${result:-ctest exited with $rc}"; }
  [ -n "$retried" ] && result="$result (failed once, then passed or failed again: $retried)"
  summary+=("$(printf '%-14s %s' "$name" "$result")")
}

skip32=""
if ! runs_32bit_code; then
  skip32="this machine's kernel runs no 32-bit code"
elif ! has_wine32; then
  skip32="32-bit Wine is not installed"
fi

jobs=${KESTRION_JOBS:-$(nproc)}
for preset in native fuzz bench win64 win32; do
  step cmake --preset "$preset" -Wno-dev >/dev/null
  step cmake --build --preset "$preset" -j "$jobs"
done

suite native --preset native -j "$jobs"
echo "==> ./scripts/lint.sh"
if ./scripts/lint.sh; then
  summary+=("$(printf '%-14s %s' lint 'every file in format; clang-tidy found nothing')")
else
  status=1
  summary+=("$(printf '%-14s %s' lint 'FAILED: see the findings above')")
fi
suite fuzz --preset fuzz
# The Windows suites drive real windows under Wine with no window manager, where the keyboard
# focus can still go astray in ways no test can wait for; a suite that fails runs once more,
# and the summary names it. (scripts/stress-win-tests.sh runs them without this.)
retry=(--repeat until-pass:2)
suite win64 --preset win64 -j "$jobs" "${retry[@]}"
if [ -z "$skip32" ]; then
  suite win32 --preset win32 -j "$jobs" "${retry[@]}"
else
  echo "==> skipped: the i686 Windows tests, because $skip32; the x86_64 ones stand in"
  suite win32-release --preset win32-release
  summary+=("$(printf '%-14s %s' win32 "skipped: the i686 Windows tests ($skip32)")")
fi

echo "==> summary"
printf '    %s\n' "${summary[@]}"
if [ $status -ne 0 ]; then
  echo "==> some builds or tests FAILED"
fi
exit $status
