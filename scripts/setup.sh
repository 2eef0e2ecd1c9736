#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and this machine lacks.
# Idempotent: a second run installs nothing.
#
# Where the kernel runs 32-bit code (scripts/probe-32bit.sh), it also adds the i386
# architecture and installs 32-bit Wine, so that the i686 release runs under Wine in a WoW64
# prefix; where it does not, it says so in one line and the 64-bit Wine alone is used.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=probe-32bit.sh
. "$here/probe-32bit.sh"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-tidy clang-format binutils
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64
  wine wine64 fonts-wine
  xvfb x11-utils imagemagick xdotool
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

# A mirror caught in the middle of a sync serves an index of the wrong size for a while
# ("Mirror sync in progress?"): the update is tried again after a pause, and an update that
# still fails in part leaves apt with the indexes it has, which the install then tries.
update_indexes() {
  local attempt
  for attempt in 1 2 3; do
    $sudo apt-get update -qq && return 0
    [ $attempt -lt 3 ] && { echo "setup: apt-get update failed; trying again in 20 s" >&2; sleep 20; }
  done
  echo "setup: apt-get update failed three times; installing from the indexes at hand" >&2
  return 0
}

missing_of() {
  local p
  for p in "$@"; do
    installed "$p" || echo "$p"
  done
}

install_missing() {
  local missing
  mapfile -t missing < <(missing_of "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "setup: installing ${missing[*]}" >&2
  update_indexes
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

install_missing "${packages[@]}"

if runs_32bit_code; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: this kernel runs 32-bit code; adding the i386 architecture for 32-bit Wine" >&2
    $sudo dpkg --add-architecture i386
    update_indexes
  fi
  # 32-bit Wine depends on i386 builds of libraries at exactly the versions installed for
  # amd64; while the mirror cannot serve them, the run goes on with 64-bit Wine alone, and
  # scripts/test.sh says in its summary that the i686 tests were skipped for want of it.
  if ! install_missing wine32:i386; then
    echo "setup: 32-bit Wine could not be installed from the mirror now; the x86_64 build stands in" >&2
  fi
else
  echo "setup: this kernel runs no 32-bit code: 32-bit Wine is not installed, the i686 build is only built and checked" >&2
fi
