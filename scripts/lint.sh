#!/usr/bin/env bash
# The checks that keep the code in form: every C++ file of the repository as the project's
# .clang-format writes it, and clang-tidy over the native build's sources, with the project's
# .clang-tidy (every warning is an error). Run by scripts/test.sh after the native build;
# alone: scripts/lint.sh (configures and builds the native preset's compile commands when they
# are missing).
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "lint: clang-format is missing (scripts/setup.sh installs it)" >&2
  exit 1
fi
# The files git knows, so that a build folder or a scratch file never counts.
off_format=$(git ls-files -z '*.cpp' '*.h' | xargs -0 -n 50 "$format" --dry-run 2>&1 |
               sed -n 's/^\(.*\):[0-9]*:[0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ -n "$off_format" ]; then
  echo "lint: these files are off the project's format (clang-format -i FILE mends them):" >&2
  printf '  %s\n' $off_format >&2
  exit 1
fi
echo "lint: every C++ file is in the project's format"

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
