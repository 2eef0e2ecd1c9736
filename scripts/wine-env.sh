# Wine environment for tests and demos: a throwaway prefix and a private Xvfb display.
# Source this file, then:
#   wine_env_start          copy the cached template prefix into a new temporary folder,
#                           start an Xvfb on a free display and a persistent wineserver
#                           (with WINE_ENV_USE_DISPLAY=1 the caller's $DISPLAY is used)
#   wine_env_reg KEY NAME TYPE DATA
#                           add a registry value in the prefix (NAME "" is the default value)
#   wine_env_sound_capture FILE
#                           give the Wine programs started afterwards one sound device, which
#                           appends everything played to FILE (raw PCM, as the program hands
#                           it over) and discards it
#   wine_env_loader PROGRAM set WINE_ENV_LOADER to the Wine loader for PROGRAM's machine type
#   wine_env_stop           stop exactly what wine_env_start started and remove the prefix
# Everything started is ended by PID or by `wineserver -k` for this prefix alone, so
# parallel and repeated runs never touch each other. KESTRION_WINE_KEEP=1 keeps the prefix.

wine_env_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=probe-32bit.sh
. "$wine_env_here/probe-32bit.sh"

wine_env_log() { [ -n "${KESTRION_WINE_VERBOSE:-}" ] && echo "wine-env: $*" >&2; return 0; }

wine_env_quiet() {
  export WINEDEBUG=-all
  # A crash must end the program with an error, not start the debugger and hang; the menu
  # builder and the Mono and Gecko installers have no business in a test prefix.
  export WINEDLLOVERRIDES="winedbg.exe=d;winemenubuilder.exe=d;mscoree=d;mshtml=d"
}

# Starts an Xvfb on a display number it picks itself; sets WINE_ENV_XVFB_PID and DISPLAY.
wine_env_start_xvfb() {
  local dfile
  dfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dfile" \
    </dev/null >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local i
  for i in $(seq 1 200); do
    if [ -s "$dfile" ]; then break; fi
    if ! kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.05
  done
  local n
  n=$(tr -d '[:space:]' <"$dfile")
  rm -f "$dfile"
  if [ -z "$n" ]; then
    echo "wine-env: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$n"
  wine_env_log "Xvfb $WINE_ENV_XVFB_PID on $DISPLAY"
}

# The template prefix is made once per installed Wine and user, then copied for each run (a
# copy takes about 1.6 s; a new prefix about 8 s). Its key names the Wine version and whether
# 32-bit Wine is installed: a prefix made before 32-bit Wine came stays 64-bit only, and its
# copies then fail to start any program ("could not load kernel32.dll"). With 32-bit Wine
# the prefix is a WoW64 one (drive_c/windows/syswow64), which runs both builds.
wine_env_template_key() {
  local version kind=win64
  version=$(wine --version 2>/dev/null)
  version=$(printf '%s' "$version" | tr -c 'A-Za-z0-9.\n-' '_')
  has_wine32 && kind=wow64
  printf '%s-%s' "$version" "$kind"
}

wine_env_template() {
  local cache="${KESTRION_WINE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrion}"
  local key
  key=$(wine_env_template_key)
  WINE_ENV_TEMPLATE="$cache/prefix-$key"
  [ -f "$WINE_ENV_TEMPLATE/.kestrion-ready" ] && return 0
  mkdir -p "$cache"
  (
    flock 9
    [ -f "$WINE_ENV_TEMPLATE/.kestrion-ready" ] && exit 0
    local work="$WINE_ENV_TEMPLATE.tmp.$$"
    rm -rf "$work"
    mkdir -p "$work"
    wine_env_quiet
    export WINEPREFIX="$work"
    wine_env_start_xvfb || exit 1
    wine_env_log "creating template prefix $WINE_ENV_TEMPLATE"
    wineboot -i </dev/null >/dev/null 2>&1
    # Without a window manager every hide of a visible window waits 2 s for one; unmanaged
    # windows hide at once and still get focus, clicks, hooks and the tray.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      </dev/null >/dev/null 2>&1
    wineserver -w
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null; wait "$WINE_ENV_XVFB_PID" 2>/dev/null
    if [ ! -f "$work/system.reg" ]; then
      echo "wine-env: wineboot made no prefix in $work" >&2
      exit 1
    fi
    if has_wine32 && [ ! -d "$work/drive_c/windows/syswow64" ]; then
      echo "wine-env: 32-bit Wine is installed but the new prefix is not a WoW64 one" >&2
      exit 1
    fi
    # Dialogs and caption buttons need Wine's own fonts in the prefix.
    if [ -d /usr/share/wine/fonts ]; then
      cp /usr/share/wine/fonts/* "$work/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    touch "$work/.kestrion-ready"
    rm -rf "$WINE_ENV_TEMPLATE"
    mv "$work" "$WINE_ENV_TEMPLATE"
  ) 9>"$cache/prefix.lock"
  [ -f "$WINE_ENV_TEMPLATE/.kestrion-ready" ]
}

# The machine type of a PE file: prints i386, x86_64, or unknown (not a PE file, or none).
wine_env_pe_machine() {
  local file=$1 offset signature machine
  [ -f "$file" ] || { echo unknown; return 0; }
  offset=$(od -An -t u4 -j 60 -N 4 "$file" 2>/dev/null | tr -d '[:space:]')
  [ -n "$offset" ] || { echo unknown; return 0; }
  signature=$(od -An -t x4 -j "$offset" -N 4 "$file" 2>/dev/null | tr -d '[:space:]')
  machine=$(od -An -t x2 -j $((offset + 4)) -N 2 "$file" 2>/dev/null | tr -d '[:space:]')
  if [ "$signature" != 00004550 ]; then echo unknown; return 0; fi
  case "$machine" in
    014c) echo i386 ;;
    8664) echo x86_64 ;;
    *) echo unknown ;;
  esac
}

# Sets WINE_ENV_LOADER to the Wine loader that runs PROGRAM: the 32-bit loader for an i386
# program, wine64 for an x86_64 one, `wine` for anything else. Fails with a message when an
# i386 program cannot run here.
wine_env_loader() {
  case "$(wine_env_pe_machine "$1")" in
    i386)
      if ! has_wine32; then
        if runs_32bit_code; then
          echo "wine-env: $1 is a 32-bit program and 32-bit Wine is not installed (scripts/setup.sh installs it)" >&2
        else
          echo "wine-env: $1 is a 32-bit program and this machine's kernel runs no 32-bit code" >&2
        fi
        return 1
      fi
      WINE_ENV_LOADER=/usr/lib/wine/wine ;;
    x86_64) WINE_ENV_LOADER=/usr/lib/wine/wine64 ;;
    *) WINE_ENV_LOADER=wine ;;
  esac
}

wine_env_start() {
  wine_env_quiet
  wine_env_template || { echo "wine-env: no template prefix" >&2; return 1; }
  WINE_ENV_DIR=$(mktemp -d "${TMPDIR:-/tmp}/kestrion-wine.XXXXXX")
  cp -a "$WINE_ENV_TEMPLATE" "$WINE_ENV_DIR/prefix"
  export WINEPREFIX="$WINE_ENV_DIR/prefix"
  if [ -n "${WINE_ENV_USE_DISPLAY:-}" ] && [ -n "${DISPLAY:-}" ]; then
    wine_env_log "using display $DISPLAY"
  else
    wine_env_start_xvfb || return 1
  fi
  # A persistent server and one warm-up program, with every stream redirected: a Wine
  # process that inherits the caller's pipes would keep CTest waiting forever.
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1
  wine_env_log "prefix $WINEPREFIX ready"
}

wine_env_reg() {
  local key=$1 name=$2 type=$3 data=$4
  if [ -z "$name" ]; then
    wine reg add "$key" /ve /t "$type" /d "$data" /f </dev/null >/dev/null 2>&1
  else
    wine reg add "$key" /v "$name" /t "$type" /d "$data" /f </dev/null >/dev/null 2>&1
  fi
}

wine_env_sound_capture() {
  local file=$1
  local config="$WINE_ENV_DIR/asound.conf"
  : >"$file"
  # The file plugin would start its file anew for every sound, so it writes into a shell that
  # appends. ALSA reads this configuration instead of the system's, which keeps the machine's
  # own devices out; the PulseAudio driver is kept out so that Wine settles on ALSA.
  cat >"$config" <<EOF
pcm.!default {
  type file
  slave.pcm { type null }
  file "|cat >>'$file'"
  format "raw"
}
EOF
  export ALSA_CONFIG_PATH="$config"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winepulse.drv=d"
  wine_env_log "sound goes to $file"
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -n "${WINE_ENV_DIR:-}" ]; then
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -w </dev/null >/dev/null 2>&1 || true
  fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    WINE_ENV_XVFB_PID=
  fi
  if [ -n "${WINE_ENV_DIR:-}" ]; then
    if [ -n "${KESTRION_WINE_KEEP:-}" ]; then
      echo "wine-env: kept $WINE_ENV_DIR" >&2
    else
      rm -rf "$WINE_ENV_DIR"
    fi
    WINE_ENV_DIR=
  fi
}
