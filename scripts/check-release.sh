#!/usr/bin/env bash
# Checks the release binaries of the i686 build as a Windows user gets them, by reading the
# files only (nothing is run):
#   - kestrion.exe and kestrihk.dll are i386 PE files with the GUI subsystem;
#   - both have DYNAMIC_BASE and NX_COMPAT set;
#   - their import tables, and those of the other programs of the release (kestrion-cli.exe),
#     name only known DLLs and, for the exe, kestrihk.dll; the exe names the other system
#     DLLs it uses (VERSION, WINMM, COMCTL32, OLEACC) only as delay-loaded DLLs;
#   - kestrihk.dll exports exactly SetTheHook and ClearTheHook, undecorated;
#   - the exe embeds its manifest and a version resource whose block 040904E4 holds
#     FileVersion VERSION.
# Usage: check-release.sh OBJDUMP STRINGS VERSION EXE DLL [PROGRAM...]
# Prints one line per check and exits with 1 if any failed.
set -u
[ $# -ge 5 ] || {
  echo "usage: check-release.sh OBJDUMP STRINGS VERSION EXE DLL [PROGRAM...]" >&2
  exit 2
}
objdump=$1 strings=$2 version=$3 exe=$4 dll=$5
shift 5
programs=("$@")

# The DLLs a release may import at load time: the known DLLs of every Windows it supports (7
# to 11), which the loader takes from the system folder alone. Any other DLL is looked for
# beside the exe first, where a planted copy would run inside the program; a MinGW runtime DLL
# or a stray dependency would be missing on a user's machine.
known_dlls="advapi32.dll clbcatq.dll comdlg32.dll difxapi.dll gdi32.dll imagehlp.dll imm32.dll
kernel32.dll msctf.dll msvcrt.dll normaliz.dll nsi.dll ole32.dll oleaut32.dll psapi.dll
rpcrt4.dll sechost.dll setupapi.dll shell32.dll shlwapi.dll user32.dll wldap32.dll ws2_32.dll"
own_dll="kestrihk.dll"
# The system DLLs the exe delay-loads from the system folder. objdump does not list delay
# imports (the linker leaves the header's delay-import directory empty), so their names are
# looked for among the file's strings, where only an import descriptor puts them.
delay_dlls="version.dll winmm.dll comctl32.dll oleacc.dll"

failures=0
pass() { echo "ok:   $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { # check CONDITION-STATUS MESSAGE
  if [ "$1" -eq 0 ]; then pass "$2"; else fail "$2"; fi
}

for f in "$exe" "$dll" "${programs[@]}"; do
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

done

for f in "$exe" "$dll" "${programs[@]}"; do
  unexpected=""
  for d in $(imports "$f"); do
    ok=1
    for s in $known_dlls; do [ "$d" = "$s" ] && ok=0; done
    [ "$f" = "$exe" ] && [ "$d" = "$own_dll" ] && ok=0
    [ $ok -eq 0 ] || unexpected="$unexpected $d"
  done
  [ -z "$unexpected" ]
  check $? "$(basename "$f") imports known DLLs only${unexpected:+ (also:$unexpected)}"
done

imports "$exe" | grep -qx "$own_dll"
check $? "$(basename "$exe") imports $own_dll"

names=$("$strings" -a "$exe" | lower)
exe_imports=$(imports "$exe")
not_delayed=""
for d in $delay_dlls; do
  if grep -qx "$d" <<<"$exe_imports" || ! grep -qx "$d" <<<"$names"; then
    not_delayed="$not_delayed $d"
  fi
done
[ -z "$not_delayed" ]
check $? "$(basename "$exe") delay-loads $delay_dlls${not_delayed:+ (not delay-loaded:$not_delayed)}"

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
