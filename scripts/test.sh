#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test: the native unit tests
# (ASan + UBSan), the fuzz targets for a short run, and the Windows tests under wine64.
# The i686 release is built too (it cannot run here). Ends with CTest's summary; the exit
# status is non-zero if any build or test failed.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/setup.sh || exit 1

status=0
step() {
  echo "==> $*"
  "$@" || { echo "==> FAILED: $*"; status=1; }
}

jobs=${KESTRION_JOBS:-$(nproc)}
for preset in native fuzz win64 win32; do
  step cmake --preset "$preset" -Wno-dev >/dev/null
  step cmake --build --preset "$preset" -j "$jobs"
done

step ctest --preset native -j "$jobs"
step ctest --preset fuzz
step ctest --preset win64 -j "$jobs"

if [ $status -ne 0 ]; then
  echo "==> some builds or tests FAILED"
fi
exit $status
