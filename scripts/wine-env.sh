# Sourced by the scripts that run Windows programs under Wine. Sets up Wine
# (64-bit, quiet, one prefix per checkout), a virtual X display when there is
# none, and offers wine_set_version.
#
#   source scripts/wine-env.sh
#   trap wine_env_stop EXIT
#   wine_set_version win98
#   "$WINE" some.exe
#
# TARVOLO_WINEPREFIX overrides the prefix folder, so a developer can keep a
# prefix of their own apart from the one the test command uses.

TARVOLO_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
[[ -x $WINESERVER ]] || WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEPREFIX="${TARVOLO_WINEPREFIX:-$TARVOLO_ROOT/build/wine-prefix}"
# No prompts to fetch Mono or Gecko, and no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

TARVOLO_XVFB_PID=""

# Starts Xvfb on the first free display number from 100 up.
wine_env_start_xvfb() {
  local n
  for ((n = 100; n < 200; n++)); do
    [[ -e /tmp/.X${n}-lock || -e /tmp/.X11-unix/X${n} ]] && continue
    # Its own session: a Ctrl+C in the terminal must not end the display
    # before the programs on it have closed.
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TARVOLO_XVFB_PID=$!
    local i
    for ((i = 0; i < 100; i++)); do
      if [[ -e /tmp/.X11-unix/X${n} ]]; then
        export DISPLAY=":$n"
        return 0
      fi
      if ! kill -0 "$TARVOLO_XVFB_PID" 2>/dev/null; then
        break  # lost a race for this number; try the next
      fi
      sleep 0.1
    done
    if kill -0 "$TARVOLO_XVFB_PID" 2>/dev/null; then
      kill "$TARVOLO_XVFB_PID" 2>/dev/null || true
      wait "$TARVOLO_XVFB_PID" 2>/dev/null || true
    fi
    TARVOLO_XVFB_PID=""
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

# Ends the Wine processes of our prefix and the Xvfb we started, if any.
wine_env_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  "$WINESERVER" -w >/dev/null 2>&1 || true
  if [[ -n $TARVOLO_XVFB_PID ]]; then
    kill "$TARVOLO_XVFB_PID" 2>/dev/null || true
    wait "$TARVOLO_XVFB_PID" 2>/dev/null || true
    TARVOLO_XVFB_PID=""
  fi
}

# Switches the Windows version that Wine reports: win98, nt40 or win10.
wine_set_version() {
  case "$1" in
    win98 | nt40 | win10) ;;
    *)
      echo "wine_set_version: unknown version '$1'" >&2
      return 1
      ;;
  esac
  "$WINE" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$1" /f >/dev/null
  "$WINESERVER" -w
}

# Whether EXE (a process name) runs in this prefix; other prefixes, such as
# the tests', may run their own.
wine_running() {
  local pid
  for pid in $(pgrep -x "$1"); do
    if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      return 0
    fi
  done
  return 1
}

# Wine draws the caption bar's buttons with its Marlett font, which Debian's
# Wine does not load from its own font folder; without it they show as
# letters. Only the scripts that show caption bars (Wine's virtual desktop)
# put it into the prefix's Fonts.
wine_caption_font() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [[ -f $fonts/marlett.ttf || ! -f /usr/share/wine/fonts/marlett.ttf ]] && return 0
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

if [[ -z ${DISPLAY:-} ]]; then
  wine_env_start_xvfb
fi

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$WINEPREFIX"
  echo "wine-env: creating the Wine prefix in $WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
fi
