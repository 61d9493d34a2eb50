# shellcheck shell=bash
# The end-to-end cases. Sourced by run.sh; each case runs with errexit in a
# subshell (run_case), so its first failing step ends it.
#
# Keys are written Caps, Num, Scroll: "100" is Caps Lock on, the others off;
# "x" is either. After an activation that should change no key, "keeps"
# (not "keys") lets several fast ticks pass, so that the program has seen
# the window before the next step. Actions: 1 Toggle ON, 2 Toggle OFF, 3 Maintain ON, 4 Maintain
# OFF, 5 Remember. Match types: 0 Beginning, 1 Ending, 2 Exact.

# ---- which setting applies, and what its actions do ----

# Title (its beginning, in other letter case), owner title (its ending) and
# executable name (exact) each pick their setting; any other window, the
# owner itself among them, gets "Default", which the first tick applies. A
# screen saver whose window would match "Reports" by its title, and the
# setup window (captioned "Tarvolo") in front, change nothing. With
# "Windows Messaging" chosen, the NT family presses and releases the key, and
# the whole desktop sees the change.
ini_which_setting() {
  ini_options "$1"
  ini_setting "$1" "Reports" caps=1 num=2 scroll=2 title=ALPHA mtitle=0
  ini_setting "$1" "Project dialogs" caps=2 num=2 scroll=1 owner=project mowner=1
  ini_setting "$1" "Notepad" caps=1 scroll=3 exe=NOTEPAD.EXE mexe=2
  ini_setting "$1" "Own windows" num=1 title=Tarvolo
  ini_setting "$1" Default caps=2 num=1 scroll=4
}
case_which_setting() {
  case_folder ini_which_setting
  tarvolo_start WINEDEBUG=-all,+relay
  keys 010
  step make report - alpha report
  step make project - My Project
  step make find project Find
  step make loose - Find
  switch_keys report 100
  switch_keys find 001
  switch_keys loose 010
  switch_keys find 001
  switch_keys project 010
  step spawn notepad.exe
  step waitwin "$(answer_word 1)" any 15000 ""
  local editor
  editor=$(answer_word 1)
  step activate-hwnd "$editor"
  keys 1x1
  # A window of ours with Notepad's very title is not Notepad.
  step make fake - "${REPLY_LINE#ok * }"
  switch_keys fake 0x0
  cp "$E2E_BIN_DIR/e2e_host.exe" "$CASE_DIR/saver.scr"
  step spawn "$(windows_path "$CASE_DIR/saver.scr")" --window Alpha saver
  step waitwin "$(answer_word 1)" any 15000 "Alpha saver"
  step activate-hwnd "$(answer_word 1)"
  keeps 0x0
  step activate-hwnd "$editor"
  keys 1x1
  switch_keys report 100
  user_press caps
  keeps 000
  step trayclick ldbl
  setup_window_opens
  step activate-hwnd "$(answer_word 1)"
  keeps 000
  # "Reports" is still current, so its Toggle does not act again.
  step make report2 - Alpha two
  switch_keeps report2 000
  tarvolo_exit
  (($(relay_calls keybd_event) >= 4)) || fail "no key presses traced"
  (($(relay_calls SetKeyboardState) == 0)) || fail "the keyboard-state table was written on the NT family"
  (($(relay_calls SetWindowsHookExA) == 0)) || fail "a hook was installed on the NT family"
  relay_asked_foreground_hook || fail "the foreground event hook was never asked for"
}

# Without a "Default", a window no setting matches changes nothing, and
# counts as another setting having been current.
ini_actions() {
  ini_options "$1"
  ini_setting "$1" "Toggle" caps=1 title=Toggle
  ini_setting "$1" "Maintain" caps=3 title=Maintain
  ini_setting "$1" "Remember" caps=5 title=Remember
}
case_actions_over_time() {
  case_folder ini_actions
  tarvolo_start
  step make t1 - Toggle one
  step make t2 - Toggle two
  step make m1 - Maintain one
  step make m2 - Maintain two
  step make r1 - Remember one
  step make r2 - Remember two
  switch_keys t1 1xx
  # "Toggle ON": the user switches the key off and it stays off, also in
  # another window of the same setting ...
  user_press caps
  keeps 0xx
  switch_keeps t2 0xx
  switch_keeps desk 0xx
  # ... until another setting has been current.
  switch_keys t1 1xx
  # "Maintain ON": switched off, it is on again within a tick.
  switch_keeps m1 1xx
  user_press caps
  keys 1xx
  switch_keeps m2 1xx
  # Left for no setting, the key is the user's.
  switch_keeps desk 1xx
  # "Remember" starts with the key off ...
  switch_keys r1 0xx
  user_press caps
  keeps 1xx
  switch_keeps desk 1xx
  user_press caps
  keeps 0xx
  # ... and back in any window of the setting, it is as the user left it there.
  switch_keys r2 1xx
  tarvolo_exit
}

ini_alpha() {
  ini_options "$@"
  ini_setting "$1" "Alpha" caps=1 title=Alpha
  ini_setting "$1" "Own windows" num=1 title=Tarvolo
  ini_setting "$1" Default caps=2
}

# ---- one instance, the tray menu and the password ----

# Tarvolo.INI a symbolic link: a second start changes nothing and leaves one
# icon; the icon comes back when the shell restarts. The tray menu's Show,
# the double-click and the show hot-key ask for the password; Hide asks
# nothing and saves, to the link's target; Exit, with the setup window
# closed, asks nothing, saves and ends.
case_tray_menu() {
  case_folder ini_alpha_hotkeys password=OpenSesame
  mkdir -p "$CASE_DIR/elsewhere"
  mv "$CASE_DIR/Tarvolo.INI" "$CASE_DIR/elsewhere/Tarvolo.INI"
  ln -s elsewhere/Tarvolo.INI "$CASE_DIR/Tarvolo.INI"
  tarvolo_start_hotkeys
  local before rc=0
  before=$(stat -L -c '%y %s' "$CASE_DIR/Tarvolo.INI")
  (cd "$CASE_DIR" && exec timeout 30 "$WINE" tarvolo.exe {E2E_TO_HOST}>&- {E2E_FROM_HOST}<&- \
    >>"$CASE_DIR/second.stdout" 2>>"$CASE_DIR/second.stderr") || rc=$?
  note "the second start ended with exit code $rc"
  ((rc != 124)) || fail "the second start was still running after 30 s"
  step waitprocs tarvolo.exe 1 2000
  [[ $(answer_word 2) == "$TPID" ]] || fail "the running instance is not the first one: $REPLY_LINE"
  step sleep 500
  step waiticons 1 0
  cmp -s "$CASE_DIR/Tarvolo.INI" "$CASE_DIR/prepared.ini" || fail "the second start changed Tarvolo.INI"
  [[ $(stat -L -c '%y %s' "$CASE_DIR/Tarvolo.INI") == "$before" ]] || fail "the second start wrote Tarvolo.INI"
  # The first instance works on.
  step make alpha - Alpha
  switch_keys alpha 100
  # The shell forgets the icon, as when it restarts, then announces itself;
  # the icon that comes back answers.
  step traydelete "$TPID"
  step waiticons 0 3000
  step taskbarcreated
  step waiticons 1 5000
  password_refused menu ok wrong
  password_refused menu ok ""
  password_refused menu cancel
  password_refused key ok " OpenSesame"
  # The right password in other letter case opens the setup window.
  password_opens menu oPENsESAME
  hide_setup_window
  ! host waitwin "$TPID" 1 1000 "" || fail "Hide asked: $REPLY_LINE"
  [[ -L $CASE_DIR/Tarvolo.INI ]] || fail "the link was replaced by a plain file"
  expect_saved
  password_opens dbl OPENSESAME
  hide_setup_window
  password_opens key OpenSesame
  hide_setup_window
  unsave
  tarvolo_exit
  expect_saved
  step waiticons 0 3000
}

# ini_alpha, with the hot-keys that ini_hotkeys gives.
ini_alpha_hotkeys() {
  ini_alpha "$@"
  ini_hotkey_combinations "$1"
}
# ask_password menu|dbl|key: the password prompt comes up.
ask_password() {
  case $1 in
    menu) menu_choose Show ;;
    dbl) step trayclick ldbl ;;
    key) user_keys ctrl+alt+t ;;
  esac
  step inputbox "$TPID" 5000
  [[ $REPLY_LINE == *" ok=1 cancel=1 caption=Tarvolo|prompt=Enter Password" ]] ||
    fail "not the password input box: $REPLY_LINE"
}
# password_opens WAY TEXT: the prompt, answered with TEXT, opens the setup
# window.
password_opens() {
  ask_password "$1"
  step answer "$TPID" ok "$2"
  setup_window_opens
}
# password_refused WAY BUTTON [TEXT]: the prompt, answered with the button
# and text, leaves the setup window closed.
password_refused() {
  ask_password "$1"
  step answer "$TPID" "${@:2}"
  step waitgone "$TPID" 1 3000 ""
  ! host waitwin "$TPID" form 1500 Tarvolo || fail "the setup window opened: $REPLY_LINE"
}

# ---- what the tray tells ----

ini_tray() {
  ini_options "$1" traykeys=True tell=True
  ini_setting "$1" "Typing" scroll=1 title=Typing
  ini_setting "$1" Default caps=2 scroll=2
}

# user_moves_mouse SECONDS: a real X mouse moving over the window that has
# the X focus, for about that long.
user_moves_mouse() {
  local xid i
  xid=$(xdotool getwindowfocus)
  for ((i = 0; i < $1 * 10; i++)); do
    xdotool mousemove --window "$xid" $((20 + i % 200)) $((40 + i % 60))
    sleep 0.1
  done
}

# The tip names the setting in force and the keys that are on, as the shell
# holds it. A balloon tells what the setting did; it waits while the user is
# busy and comes once keyboard and mouse have been still for a second. The
# user moves the mouse: under Wine every real X key press sets the lock keys
# back to the X server's state, which would undo the setting's change
# itself. The user's own key press shows in the tip.
case_tray_status() {
  case_folder ini_tray
  tarvolo_start
  step waittip 3000 "Tarvolo: Default, all lock keys off"
  step make typing - Typing pad
  step activate typing
  x_focus_to_foreground
  keys xx1
  user_moves_mouse 4 &
  local moving=$!
  if host waitballoon 3800; then
    wait "$moving"
    fail "a balloon while the user moved the mouse: $REPLY_LINE"
  fi
  wait "$moving"
  step waitballoon 8000
  [[ $REPLY_LINE == "ok Scroll Lock on (Typing)" ]] || fail "balloon: $REPLY_LINE"
  screenshot tray-balloon
  step waittip 3000 "Tarvolo: Typing, Scroll Lock on"
  user_press num
  step waittip 3000 "Tarvolo: Typing, Num Lock and Scroll Lock on"
  tarvolo_exit
}

ini_picture() {
  ini_options "$1" traykeys=True
  ini_setting "$1" Default caps=3 num=3
}

# The colours of a picture file as "R,G,B COUNT", the most frequent first.
pixel_colours() {
  convert "$1" -depth 8 txt:- | awk -F'[(),]' 'NR > 1 { n[$3 "," $4 "," $5]++ } END { for (c in n) print c, n[c] }' |
    sort -k2,2nr
}
# Pixels of a lit key: the pictures' green.
green_pixels() { pixel_colours "$1" | awk '$1 == "46,204,64" { n = $2 } END { print n + 0 }'; }
# Pixels of colours that neither the pictures (scripts/gen-tray-icons.py)
# nor the two most frequent ones (taskbar and desktop) have: drawn wrong.
stray_pixels() {
  pixel_colours "$1" | awk 'BEGIN { split("46,204,64 16,26,36 58,70,84 154,166,180 94,112,132 200,210,220", c, " ")
                                    for (i in c) ours[c[i]] = 1 }
                            NR > 2 && !($1 in ours) { n += $2 } END { print n + 0 }'
}

# notepad_place [X Y W H]: where Notepad opens; without numbers, where it
# chooses itself.
notepad_place() {
  local key='HKCU\Software\Microsoft\Notepad' names=(iWindowPosX iWindowPosY iWindowPosDX iWindowPosDY) i
  for i in 0 1 2 3; do
    if (($# == 4)); then
      "$WINE" reg add "$key" /v "${names[i]}" /t REG_DWORD /d "${@:i+1:1}" /f >/dev/null 2>&1
    else
      "$WINE" reg delete "$key" /v "${names[i]}" /f >/dev/null 2>&1
    fi
  done
  return 0
}

# The virtual desktop ends with its programs, which are no children of ours.
tray_picture_end() {
  [[ -z $TPID ]] || host kill "$TPID" >/dev/null || true
  [[ -z $TRAY_NOTEPAD ]] || host kill "$TRAY_NOTEPAD" >/dev/null || true
}

# The lock-key picture in a notification area as Windows shows one: the
# taskbar of a Wine virtual desktop started at the case's DPI (the shell of
# the default desktop keeps the icon size it started with). Notepad in front,
# "Default" keeps Caps and Num Lock on; the taskbar's end must show two lit
# keys drawn as they are made, and is kept as shown and eight times larger
# for a person to look at.
tray_picture_at() {
  local dpi=$1 desk="tarvolo-tray-$1" xid shot="$E2E_SCREENS/tray-keys-${1}dpi.png"
  TRAY_NOTEPAD="" TPID=""
  trap 'wine_dpi 96; notepad_place; tray_picture_end' EXIT
  wine_dpi "$dpi"
  case_folder ini_picture
  # A small Notepad, clear of the taskbar, whatever size an earlier one left.
  notepad_place 0 0 300 160
  step waitprocs notepad.exe 0 5000
  (cd "$CASE_DIR" && exec "$WINE" explorer "/desktop=$desk,480x320" notepad.exe {E2E_TO_HOST}>&- {E2E_FROM_HOST}<&- \
    >/dev/null 2>&1) &
  step waitprocs notepad.exe 1 20000
  TRAY_NOTEPAD=$(answer_word 2)
  (cd "$CASE_DIR" && exec "$WINE" explorer "/desktop=$desk,480x320" tarvolo.exe {E2E_TO_HOST}>&- {E2E_FROM_HOST}<&- \
    >>"$CASE_DIR/tarvolo.stdout" 2>>"$CASE_DIR/tarvolo.stderr") &
  step waitprocs tarvolo.exe 1 20000
  TPID=$(answer_word 2)
  retry 50 0.2 desktop_shown "$desk" || fail "no virtual desktop"
  mkdir -p "$E2E_SCREENS"
  retry 40 0.25 taskbar_end_shot "$shot" || true
  note "at the taskbar's end: $(green_pixels "$shot") green pixels, $(stray_pixels "$shot") stray ones"
  convert "$shot" -filter point -resize 800% "${shot%.png}-x8.png"
  (($(green_pixels "$shot") >= 40)) || fail "no lit keys in the notification area ($shot)"
  (($(stray_pixels "$shot") == 0)) || fail "the picture is drawn wrong ($shot)"
}
# desktop_shown NAME: xid is the X window of that Wine virtual desktop.
desktop_shown() {
  xid=$(xdotool search --onlyvisible --name "^$1 - Wine desktop\$" 2>/dev/null | head -n 1) && [[ -n $xid ]]
}
# taskbar_end_shot FILE: the end of the desktop xid's taskbar, with lit keys.
taskbar_end_shot() {
  import -window "$xid" "$CASE_DIR/desktop.png" 2>/dev/null &&
    convert "$CASE_DIR/desktop.png" -gravity SouthEast -crop 96x40+0+0 +repage "$1" && (($(green_pixels "$1") >= 40))
}
case_tray_picture_96dpi() { tray_picture_at 96; }
case_tray_picture_144dpi() { tray_picture_at 144; }

# ---- the two ways of setting a key ----

# Calls of tarvolo.exe into user32, traced by Wine's relay channel (run.sh
# limits it to these calls).
relay_calls() { grep -c "Call user32.$1(" "$CASE_DIR/tarvolo.stderr" || true; }

# True when, after its first SetKeyboardState, the program read Caps Lock
# (GetKeyState of 0x14) as on.
relay_saw_own_caps_on() {
  awk '
    /Call user32\.SetKeyboardState\(/ { written = 1 }
    written && /Call user32\.GetKeyState\(00000014\)/ { asked = 1; next }
    asked && /Ret  user32\.GetKeyState\(\) retval=/ {
      value = $0; sub(/.*retval=/, "", value); sub(/ .*/, "", value)
      if (value ~ /[13579bdfBDF]$/) found = 1
      asked = 0
    }
    END { exit found ? 0 : 1 }' "$CASE_DIR/tarvolo.stderr"
}

# True when the program asked once for the foreground event hook, for
# EVENT_SYSTEM_FOREGROUND alone, out of context and skipping its own process
# (Wine gives a handle, though it never raises that event).
relay_asked_foreground_hook() {
  local calls
  calls=$(grep 'Call user32.SetWinEventHook(' "$CASE_DIR/tarvolo.stderr")
  note "foreground hook: $calls; $(grep -m1 'Ret  user32.SetWinEventHook' "$CASE_DIR/tarvolo.stderr")"
  [[ $(wc -l <<<"$calls") == 1 && $calls =~ SetWinEventHook\(0*3,0*3,0+,[0-9a-f]+,0+,0+,0*2\) ]]
}

# Windows 98 with "Windows Messaging": the program writes its keyboard-state
# table. Wine keeps that table per thread, as the NT family does, so the rest
# of the desktop does not see the change that Windows 98 would make global:
# the test reads the program's own view of the key from the relay trace, and
# checks that no keystroke was sent behind the table's back.
case_9x_keyboard_state_way() {
  case_folder ini_alpha
  tarvolo_start WINEDEBUG=-all,+relay
  step make alpha - Alpha
  switch_keeps alpha 000
  tarvolo_exit
  (($(relay_calls SetKeyboardState) >= 1)) || fail "the keyboard-state table was never written"
  (($(relay_calls keybd_event) == 0)) || fail "keys were pressed in the keyboard-state way"
  relay_saw_own_caps_on || fail "the program never read Caps Lock as on after writing its table"
}

# Windows 98 with "Keystroke Simulation" chosen: the key is pressed and
# released, which every program sees. The journal-record hook (type 0) is
# asked for at start-up; Wine refuses it, and the program carries on: the
# hot-keys work all the same.
case_9x_keystrokes_and_hotkeys() {
  case_folder ini_alpha_hotkeys keystroke=True
  tarvolo_start_hotkeys WINEDEBUG=-all,+relay
  step make alpha - Alpha
  switch_keys alpha 100
  switch_keys desk 000
  notepad_with_text Hello World
  hotkey_gives ctrl+alt+u HELLO WORLD
  tarvolo_exit
  grep -q 'Call user32.SetWindowsHookExA(00000000,' "$CASE_DIR/tarvolo.stderr" ||
    fail "the journal hook was never asked for"
  note "journal hook: Wine answered $(grep -m1 'Ret  user32.SetWindowsHookExA' "$CASE_DIR/tarvolo.stderr")"
}
