#!/usr/bin/env bash
# Installs what is missing, builds the x86_64 Windows program and runs it under Wine, with
# the bundled client simulator standing in for the voice client (the App Paths entry of
# roger.exe points to it) and a demo home profile beside kestrion.exe.
#
# With a display ($DISPLAY set) the windows appear on it and the script stays in the
# foreground until Kestrion ends. Without one, Kestrion runs on a virtual display for
# KESTRION_RUN_SECONDS (default 8) seconds; the script saves a screenshot, prints where it
# is, prints what the client simulator received, and stops everything it started.
# Options: --reset-profile  put the demo profile back even if one is already there.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd)

reset=
for arg in "$@"; do
  case "$arg" in
    --reset-profile) reset=1 ;;
    *) echo "usage: scripts/run.sh [--reset-profile]" >&2; exit 2 ;;
  esac
done

./scripts/setup.sh || exit 1
cmake --preset win64 -Wno-dev >/dev/null || exit 1
cmake --build --preset win64 -j "$(nproc)" --target kestrion kestrihk clientsim || exit 1

bin="$root/build/win64/bin"
demo="$root/build/win64/demo"
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
  wine kestrion.exe </dev/null
  echo "run: Kestrion ended with status $?"
else
  wine kestrion.exe </dev/null >/dev/null 2>&1 &
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
