#!/usr/bin/env bash
# Runs one Windows program under wine64 in a throwaway prefix with its own Xvfb display,
# and exits with the program's exit code. CTest uses it as the cross-compiling emulator
# of the win64 build. Options before the program:
#   --reg KEY NAME TYPE DATA   registry value to add first (may repeat)
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine-env.sh
. "$here/wine-env.sh"

regs=()
while [ $# -gt 0 ]; do
  case "$1" in
    --reg) regs+=("$2" "$3" "$4" "$5"); shift 5 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { echo "usage: wine-run.sh [--reg KEY NAME TYPE DATA]... PROGRAM [ARGS...]" >&2; exit 2; }

trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start || exit 1
i=0
while [ $i -lt ${#regs[@]} ]; do
  wine_env_reg "${regs[$i]}" "${regs[$((i+1))]}" "${regs[$((i+2))]}" "${regs[$((i+3))]}"
  i=$((i+4))
done
wine "$@" </dev/null
rc=$?
exit $rc
