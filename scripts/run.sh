#!/usr/bin/env bash
# Installs what is missing, builds the Windows program and runs it under Wine, with the
# bundled client simulator standing in for the voice client (the App Paths entry of roger.exe
# points to it) and a demo home profile beside kestrion.exe. It runs the 32-bit release users
# get where this machine runs 32-bit code, and the x86_64 build elsewhere.
#
# With a display ($DISPLAY set) the windows appear on it and the script stays in the
# foreground until Kestrion ends. Without one, Kestrion runs on a virtual display for
# KESTRION_RUN_SECONDS (default 8) seconds; the script saves a screenshot, prints where it
# is, prints what the client simulator received, and stops everything it started.
# Options: --reset-profile  put the demo profile back even if one is already there.
#          --arch win32|win64  the build to run (default: win32 where 32-bit code runs).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

usage() { echo "usage: scripts/run.sh [--reset-profile] [--arch win32|win64]" >&2; exit 2; }
reset=
arch=
while [ $# -gt 0 ]; do
  case "$1" in
    --reset-profile) reset=1; shift ;;
    --arch) [ $# -ge 2 ] || usage; arch=$2; shift 2 ;;
    --arch=*) arch=${1#--arch=}; shift ;;
    *) usage ;;
  esac
done
case "$arch" in '' | win32 | win64) ;; *) usage ;; esac

./scripts/setup.sh || exit 1
. scripts/probe-32bit.sh
if [ -z "$arch" ]; then
  if runs_32bit_code && has_wine32; then
    arch=win32
  else
    arch=win64
    echo "run: this machine runs no 32-bit Windows programs; the x86_64 build stands in for the 32-bit release"
  fi
fi
echo "run: building and starting the $arch build"
cmake --preset "$arch" -Wno-dev >/dev/null || exit 1
cmake --build --preset "$arch" -j "$(nproc)" --target kestrion kestrihk clientsim || exit 1

bin="$root/build/$arch/bin"
demo="$root/build/$arch/demo"
mkdir -p "$demo"
if [ -n "$reset" ] || [ ! -f "$bin/kestrion.ini" ]; then
  cp resources/demo/kestrion.ini "$bin/kestrion.ini"
  echo "run: demo profile placed at $bin/kestrion.ini"
fi
log="$demo/client.log"
rm -f "$log"

# shellcheck source=wine-env.sh
. scripts/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then export WINE_ENV_USE_DISPLAY=1; fi
wine_env_loader "$bin/kestrion.exe" || exit 1
trap wine_env_stop EXIT
trap 'exit 130' INT TERM
wine_env_start || exit 1

sim_win=$(winepath -w "$bin/clientsim.exe" 2>/dev/null)
wine_env_reg 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\roger.exe' "" REG_SZ "$sim_win"
export KESTRION_CLIENTSIM_LOG
KESTRION_CLIENTSIM_LOG=$(winepath -w "$log" 2>/dev/null)

cd "$bin" || exit 1
if [ -n "${WINE_ENV_USE_DISPLAY:-}" ]; then
  echo "run: Kestrion is running on $DISPLAY; close it (File, Exit) to end."
  "$WINE_ENV_LOADER" kestrion.exe </dev/null
  echo "run: Kestrion ended with status $?"
else
  "$WINE_ENV_LOADER" kestrion.exe </dev/null >/dev/null 2>&1 &
  sleep "${KESTRION_RUN_SECONDS:-8}"
  shot="$demo/screenshot.png"
  if import -window root "$shot" 2>/dev/null; then
    echo "run: screenshot of the virtual display saved to $shot"
  else
    echo "run: no screenshot could be taken" >&2
  fi
fi

echo "run: what the client simulator received ($log):"
if [ -f "$log" ]; then sed 's/\r$//; s/^/  /' "$log"; else echo "  (nothing: the simulator was not started)"; fi
