#!/usr/bin/env bash
# Checks the release binaries of the i686 build as a Windows user gets them, by reading the
# files only (nothing is run):
#   - kestrion.exe and kestrihk.dll are i386 PE files with the GUI subsystem;
#   - both have DYNAMIC_BASE and NX_COMPAT set;
#   - both import system DLLs only, and the exe imports kestrihk.dll;
#   - kestrihk.dll exports exactly SetTheHook and ClearTheHook, undecorated;
#   - the exe embeds its manifest and a version resource whose block 040904E4 holds
#     FileVersion VERSION.
# Usage: check-release.sh OBJDUMP STRINGS VERSION EXE DLL
# Prints one line per check and exits with 1 if any failed.
set -u
[ $# -eq 5 ] || { echo "usage: check-release.sh OBJDUMP STRINGS VERSION EXE DLL" >&2; exit 2; }
objdump=$1 strings=$2 version=$3 exe=$4 dll=$5

# The DLLs a release may import: parts of Windows itself. Anything else (a MinGW runtime DLL,
# a stray dependency) would be missing on a user's machine or be looked for beside the exe.
system_dlls="advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll
shell32.dll user32.dll version.dll winmm.dll"
own_dll="kestrihk.dll"

failures=0
pass() { echo "ok:   $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check CONDITION-STATUS MESSAGE
  if [ "$1" -eq 0 ]; then pass "$2"; else fail "$2"; fi
}

for f in "$exe" "$dll"; do
  if [ ! -f "$f" ]; then
    fail "$f exists"
    echo "release checks: $failures failed"
    exit 1
  fi
done

lower() { tr '[:upper:]' '[:lower:]'; }
imports() { "$objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | lower; }

for f in "$exe" "$dll"; do
  name=$(basename "$f")
  headers=$("$objdump" -p "$f")
  "$objdump" -f "$f" | grep -q 'file format pei-i386'
  check $? "$name is an i386 PE file"
  grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers"
  check $? "$name has the GUI subsystem"
  grep -Eq '^[[:space:]]+DYNAMIC_BASE$' <<<"$headers"
  check $? "$name has DYNAMIC_BASE set"
  grep -Eq '^[[:space:]]+NX_COMPAT$' <<<"$headers"
  check $? "$name has NX_COMPAT set"

  unexpected=""
  for d in $(imports "$f"); do
    ok=1
    for s in $system_dlls; do [ "$d" = "$s" ] && ok=0; done
    [ "$f" = "$exe" ] && [ "$d" = "$own_dll" ] && ok=0
    [ $ok -eq 0 ] || unexpected="$unexpected $d"
  done
  [ -z "$unexpected" ]
  check $? "$name imports system DLLs only${unexpected:+ (also:$unexpected)}"
done

imports "$exe" | grep -qx "$own_dll"
check $? "$(basename "$exe") imports $own_dll"

exports=$("$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
  sed -n 's/^[[:space:]]*\[[[:space:]]*[0-9]*\] //p' | sort | paste -sd ' ')
[ "$exports" = "ClearTheHook SetTheHook" ]
check $? "$(basename "$dll") exports exactly ClearTheHook and SetTheHook, undecorated (found: ${exports:-none})"

# Resource types 0x18 (manifest) and 0x10 (version), at the root of the resource directory.
resources=$("$objdump" -p "$exe" | sed -n '/The .rsrc Resource Directory section/,$p')
grep -Eq '^[0-9a-f]+   Entry: ID: 0x000018,' <<<"$resources" && grep -aq '<assembly' "$exe"
check $? "$(basename "$exe") embeds its manifest"
# The version block's strings in file order: the block's name, then each value's name and text.
block=$("$strings" -el "$exe" | sed -n '/^040904E4$/,/^VarFileInfo$/p')
grep -Eq '^[0-9a-f]+   Entry: ID: 0x000010,' <<<"$resources" &&
  grep -A1 -x 'FileVersion' <<<"$block" | tail -n 1 | grep -qx "$version"
check $? "$(basename "$exe") embeds a version resource with FileVersion $version in block 040904E4"

if [ $failures -ne 0 ]; then
  echo "release checks: $failures failed"
  exit 1
fi
echo "release checks: all passed"
