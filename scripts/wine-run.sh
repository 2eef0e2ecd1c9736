#!/usr/bin/env bash
# Runs one Windows program under Wine in a throwaway prefix with its own Xvfb display, and
# exits with the program's exit code. The loader fits the program: 32-bit Wine for an i686
# program, wine64 for an x86_64 one. CTest uses it as the cross-compiling emulator of the
# win64 and win32 builds. Options before the program:
#   --reg KEY NAME TYPE DATA   registry value to add first (may repeat)
# With KESTRION_SOUND_CAPTURE set (to anything) in the environment, everything the programs
# play goes to a capture file beside the prefix (wine_env_sound_capture), and the variable
# then holds that file's Unix path, for the program under test to read.
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

wine_env_loader "$1" || exit 1
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start || exit 1
if [ -n "${KESTRION_SOUND_CAPTURE:-}" ]; then
  wine_env_sound_capture "$WINE_ENV_DIR/sound.raw"
  export KESTRION_SOUND_CAPTURE="$WINE_ENV_DIR/sound.raw"
fi
i=0
while [ $i -lt ${#regs[@]} ]; do
  wine_env_reg "${regs[$i]}" "${regs[$((i+1))]}" "${regs[$((i+2))]}" "${regs[$((i+3))]}"
  i=$((i+4))
done
"$WINE_ENV_LOADER" "$@" </dev/null
rc=$?
exit $rc
