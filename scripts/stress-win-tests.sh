#!/usr/bin/env bash
# Runs the Windows test suites N times in a row while two busy loops keep both cores loaded,
# and prints "passed P of N" per suite: a test that waits for a fixed time instead of a state
# shows here long before it makes CI red.
#
# Usage: scripts/stress-win-tests.sh N [REGEX]
#   N       how many rounds (each round runs every suite once, as ctest -j2 does in CI)
#   REGEX   only the suites whose CTest name matches (for example program_test)
# The trees must be built already (scripts/test.sh builds them). Runs the win64 suites, and
# the win32 ones where this machine runs 32-bit code. The output of every failed round goes to
# build/stress/<preset>-<round>.log.
# KESTRION_STRESS_LOAD=0 leaves the busy loops out.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
. scripts/probe-32bit.sh

rounds=${1:-}
regex=${2:-}
case "$rounds" in
  '' | *[!0-9]*) echo "usage: scripts/stress-win-tests.sh N [REGEX]" >&2; exit 2 ;;
esac

presets=(win64)
if runs_32bit_code && has_wine32; then
  presets+=(win32)
else
  echo "stress: the i686 suites are left out: this machine runs no 32-bit code or has no 32-bit Wine"
fi
for p in "${presets[@]}"; do
  [ -f "build/$p/CTestTestfile.cmake" ] || { echo "stress: build/$p is not built (run scripts/test.sh)" >&2; exit 2; }
done

loads=()
stop_loads() {
  local pid
  for pid in "${loads[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${loads[@]}"; do wait "$pid" 2>/dev/null; done
  loads=()
}
trap stop_loads EXIT
trap 'exit 130' INT TERM
if [ "${KESTRION_STRESS_LOAD:-1}" != 0 ]; then
  for _ in 1 2; do
    ( while :; do :; done ) &
    loads+=($!)
  done
fi

mkdir -p build/stress
declare -A passed ran
for round in $(seq 1 "$rounds"); do
  for p in "${presets[@]}"; do
    out="build/stress/$p-$round.log"
    args=(--preset "$p" -j 2 -LE release --output-on-failure)
    [ -n "$regex" ] && args+=(-R "$regex")
    ctest "${args[@]}" >"$out" 2>&1
    # CTest's own result lines: "  3/12 Test  #3: win.program_test .....   Passed   56.23 sec"
    while read -r name result; do
      key="$p $name"
      ran[$key]=$(( ${ran[$key]:-0} + 1 ))
      [ "$result" = Passed ] && passed[$key]=$(( ${passed[$key]:-0} + 1 ))
    done < <(sed -n 's/^.*Test *#[0-9]*: \([^ ]*\) [ .*]*\([A-Za-z]*\).*$/\1 \2/p' "$out")
    if grep -q '100% tests passed' "$out"; then rm -f "$out"; fi
  done
  echo "stress: round $round of $rounds done"
done

status=0
while read -r p name; do
  key="$p $name"
  n=${ran[$key]}
  ok=${passed[$key]:-0}
  printf '%-6s %-28s passed %d of %d\n' "$p" "$name" "$ok" "$n"
  [ "$ok" -eq "$rounds" ] || status=1
done < <(printf '%s\n' "${!ran[@]}" | sort)
[ $status -eq 0 ] || echo "stress: some suites failed; logs in build/stress/"
exit $status
