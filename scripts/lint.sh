#!/usr/bin/env bash
# The checks that keep the code in form: clang-tidy over the native build's sources, with the
# project's .clang-tidy (every warning is an error). Run by scripts/test.sh after the native
# build; alone: scripts/lint.sh (configures and builds the native preset's compile commands
# when they are missing).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

tidy=$(command -v run-clang-tidy-14 || command -v run-clang-tidy || true)
if [ -z "$tidy" ]; then
  echo "lint: run-clang-tidy is missing (scripts/setup.sh installs clang-tidy)" >&2
  exit 1
fi
if [ ! -f build/native/compile_commands.json ]; then
  cmake --preset native -Wno-dev >/dev/null || exit 1
fi
# Generated headers (the message table) must exist for the sources that include them.
cmake --build --preset native -j "${KESTRION_JOBS:-$(nproc)}" >/dev/null || exit 1

out=$(mktemp)
"$tidy" -p build/native -quiet -j "${KESTRION_JOBS:-$(nproc)}" "$(pwd)/src/" >"$out" 2>&1
rc=$?
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$out" | grep -E '(warning|error): ' | sort -u)
rm -f "$out"
if [ $rc -ne 0 ] || [ -n "$findings" ]; then
  echo "lint: clang-tidy found:" >&2
  printf '%s\n' "$findings" >&2
  exit 1
fi
echo "lint: clang-tidy found nothing"
