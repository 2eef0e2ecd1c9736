# Whether this machine's kernel runs 32-bit x86 code. Source this file, then call
# `runs_32bit_code`: it returns 0 when a 32-bit program runs, 1 when it does not.
#
# The probe is a three-instruction static program (exit with status 42 through int 0x80),
# assembled and linked with the host's own binutils, so it needs no i386 package. Kernels
# built without IA32 emulation refuse to execute it; then only 64-bit Wine can work here.
# The answer is cached in PROBE_32BIT_RESULT for the rest of the calling shell.

runs_32bit_code() {
  if [ -n "${PROBE_32BIT_RESULT:-}" ]; then
    [ "$PROBE_32BIT_RESULT" = yes ]
    return
  fi
  local dir rc=1
  dir=$(mktemp -d "${TMPDIR:-/tmp}/kestrion-probe32.XXXXXX") || return 1
  printf '.globl _start\n_start:\n  movl $1, %%eax\n  movl $42, %%ebx\n  int $0x80\n' >"$dir/p.s"
  if as --32 "$dir/p.s" -o "$dir/p.o" 2>/dev/null &&
     ld -m elf_i386 "$dir/p.o" -o "$dir/p" 2>/dev/null; then
    "$dir/p" >/dev/null 2>&1
    [ $? -eq 42 ] && rc=0
  fi
  rm -rf "$dir"
  if [ $rc -eq 0 ]; then PROBE_32BIT_RESULT=yes; else PROBE_32BIT_RESULT=no; fi
  export PROBE_32BIT_RESULT
  return $rc
}

# Whether 32-bit Wine is installed (Debian's wine32:i386 provides this loader).
has_wine32() {
  [ -x /usr/lib/wine/wine ]
}
