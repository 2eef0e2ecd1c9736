#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each (600 when not given), for long campaigns; the README's
# test command runs each only briefly. Each input has the same time limit as in the tests
# (5 s): an input that takes longer is a finding, as a crash is.
#
#   scripts/fuzz.sh [SECONDS]        FUZZ_JOBS=2 scripts/fuzz.sh 600   (targets side by side)
#
# Inputs that reach new code are kept in each target's corpus folder of the build tree
# (build/fuzz/tests/fuzz/<folder>/<target>-found); findings (crash-*, timeout-*, oom-*, leak-*)
# go to build/fuzz/findings/<target>/, and each target's log to build/fuzz/findings/<target>.log.
# Ends with a line per target: executions, and the findings; the exit status is non-zero when
# any target found something.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-600}
jobs=${FUZZ_JOBS:-1}
case "$seconds" in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;; esac

# The fuzz build needs clang and its fuzzer runtime alone; setup.sh installs them where missing.
if ! command -v clang++ >/dev/null || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null |
  grep -q 'install ok installed'; then
  ./scripts/setup.sh || exit 1
fi
cmake --preset fuzz -Wno-dev >/dev/null || exit 1
cmake --build --preset fuzz -j "$(nproc)" || exit 1

build=build/fuzz
findings=$build/findings
mkdir -p "$findings"

run_one() {
  local name=$1; shift
  mkdir -p "$findings/$name"
  "$build/bin/$name" -max_total_time="$seconds" -timeout=5 -max_len=65536 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$name/" "$@" >"$findings/$name.log" 2>&1
}

pids=()
while read -r name corpus; do
  [ -n "$name" ] || continue
  # shellcheck disable=SC2086
  run_one "$name" $corpus &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}"
    pids=("${pids[@]:1}")
  fi
done <"$build/fuzz-targets.txt"
wait

status=0
echo "==> fuzz targets, ${seconds} s each"
while read -r name _; do
  [ -n "$name" ] || continue
  runs=$(grep -E '^stat::number_of_executed_units:' "$findings/$name.log" | awk '{print $2}')
  found=$(find "$findings/$name" -type f | wc -l)
  [ "$found" -eq 0 ] || status=1
  printf '    %-28s %12s executions, %s findings\n' "$name" "${runs:-?}" "$found"
done <"$build/fuzz-targets.txt"
exit $status
