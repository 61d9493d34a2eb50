#!/usr/bin/env bash
# Takes README's screenshots as a Windows user sees the windows, caption bars
# included: tarvolo.exe runs in Wine's virtual desktop (which draws them) in a
# virtual X display of its own, with Notepad in front and a setting for it;
# the setup window is opened with the Show hot-key and the Options dialog
# from its Edit menu, by real X key presses. Each shot is cut to the active
# window. Where Debian's Chromium is installed (apt-get install chromium; the
# test command does not need it), it also shoots the help page as a browser
# shows it.
#
#   scripts/screenshots.sh [FOLDER]    (default: docs)
#
# writes setup-monitor.png, setup-settings.png, options.png and help.png
# there. Look at them before committing them.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ROOT"
OUT="$(mkdir -p "${1:-docs}" && cd "${1:-docs}" && pwd)"
WORK="$ROOT/build/screenshots"

bash scripts/ensure-packages.sh
if command -v chromium >/dev/null; then
  # As root Chromium runs only without its sandbox.
  chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=640,960 \
    --screenshot="$OUT/help.png" "file://$ROOT/resources/Tarvolo.html" >/dev/null 2>&1
  echo "screenshots: $OUT/help.png"
else
  echo "screenshots: no chromium, so no help.png (apt-get install chromium)"
fi
cmake --preset windows >/dev/null
cmake --build --preset windows --target tarvolo

rm -rf "$WORK"
mkdir -p "$WORK"
cp build/windows/bin/tarvolo.exe resources/Tarvolo.html "$WORK/"
# The shipped settings and one for Notepad, whose title ending it matches,
# keeping Caps Lock on.
{
  cat resources/Tarvolo.INI
  printf '%s\r\n' '' '[Setting 1]' 'Name=Notepad' 'Action_CapsLock=3' 'Action_NumLock=0' 'Action_ScrollLock=0' \
    'Filter_EXE=' 'Filter_Owner=' 'Filter_Title=Notepad' 'Match_EXE=0' 'Match_Owner=0' 'Match_Title=1'
} >"$WORK/Tarvolo.INI"

# A prefix and a display of its own: never the tests' prefix, whose Wine
# processes wine_env_stop would end, nor the developer's screen.
export TARVOLO_WINEPREFIX="${TARVOLO_SCREENS_PREFIX:-$ROOT/build/wine-prefix-screens}"
unset DISPLAY
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_caption_font
# The task bar brings the notification area that the icon needs.
"$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops\Tarvolo' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null

desktop() { (cd "$WORK" && setsid "$WINE" explorer /desktop=Tarvolo,1024x768 "$@" >/dev/null 2>&1 &); }

# Where the active window is on the screen now, if any is.
active() {
  import -window root -crop 1024x768+0+0 +repage "$WORK/screen.png"
  /usr/bin/python3 scripts/active-window.py "$WORK/screen.png" 2>/dev/null || true
}

# opened WAS WHAT: waits until another window than WAS is the active one.
opened() {
  local i
  for ((i = 0; i < 40; i++)); do
    [[ $(active) != "$1" ]] && return 0
    sleep 0.25
  done
  echo "screenshots: $2 did not open" >&2
  return 1
}

# Waits until two looks at the screen in a row agree: what opened has
# painted.
settled() {
  local i
  import -window root -crop 1024x768+0+0 +repage "$WORK/screen.png"
  for ((i = 0; i < 20; i++)); do
    sleep 0.5
    mv "$WORK/screen.png" "$WORK/before.png"
    import -window root -crop 1024x768+0+0 +repage "$WORK/screen.png"
    cmp -s "$WORK/before.png" "$WORK/screen.png" && break
  done
}

# shot NAME: the settled screen cut to the active window.
shot() {
  settled
  local where
  where=$(/usr/bin/python3 scripts/active-window.py "$WORK/screen.png")
  convert "$WORK/screen.png" -crop "$where" +repage -strip "$OUT/$1.png"
  echo "screenshots: $OUT/$1.png ($where)"
}

desktop tarvolo.exe
for _ in $(seq 120); do wine_running tarvolo.exe && break; sleep 0.25; done
sleep 3 # the icon and the task bar
# The keys go to the desktop's X window; the pointer waits where it shows
# no tool-tip.
xdotool search --name 'Tarvolo - Wine desktop' windowfocus --sync
xdotool mousemove 1000 700
# Notepad is in front when the hot-key is pressed, though Wine draws its
# caption as inactive until a window of its own takes the X focus.
desktop notepad.exe
for _ in $(seq 120); do wine_running notepad.exe && break; sleep 0.25; done
sleep 1
settled
was=$(active)
xdotool key ctrl+alt+shift+t
opened "$was" "the setup window"
shot setup-monitor
# The Monitor page's Edit button, which has the focus, opens the Settings
# page at the setting in force.
xdotool key space
shot setup-settings
# Edit > Options as a user picks it: Up from the menu's first item wraps to
# its last. The menu must be open before the keys that move in it.
was=$(active)
xdotool key alt+e
sleep 1
xdotool key Up
sleep 0.5
xdotool key Return
opened "$was" "the Options dialog"
shot options
xdotool key Escape
