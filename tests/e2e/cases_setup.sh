# shellcheck shell=bash
# The end-to-end case of the setup window, used with real X mouse and
# keyboard input. Sourced by run.sh after cases.sh. Screenshots of the
# window go to E2E_SCREENS (default build/e2e-screens) for a person to look
# at; nothing checks their pixels.

E2E_SCREENS="${E2E_SCREENS:-$E2E_ROOT/build/e2e-screens}"

# screenshot NAME: the whole virtual screen, cut to where the windows are.
screenshot() {
  mkdir -p "$E2E_SCREENS"
  import -window root -crop 900x700+0+0 +repage "$E2E_SCREENS/$1.png" 2>/dev/null ||
    note "no screenshot $1 (ImageMagick's import failed)"
}

# click CLASS WHICH: a real left click on a control of the shown form.
click() {
  step childpos "$TPID" "$@"
  local x y
  read -r x y <<<"${REPLY_LINE#ok }"
  note "xdotool click at $x,$y ($*)"
  xdotool mousemove --sync "$x" "$y" click 1
}

# The setup window in front with the X keyboard focus, as a user's click
# on it would leave it.
setup_window_in_front() {
  setup_window_opens
  step activate-hwnd "$(answer_word 1)"
  x_focus_to_foreground
}

# Opened from the tray, the window shows the window the user goes back to.
# On its Settings page the user changes the chosen setting with the mouse
# and the keyboard; the change applies at once and is saved when the window
# closes.
case_setup_window() {
  case_folder ini_alpha
  tarvolo_start
  step make report - Alpha report
  step activate report
  keys 100
  menu_choose Show
  setup_window_opens
  local setup
  setup=$(answer_word 1)
  step activate report
  step activate-hwnd "$setup"
  x_focus_to_foreground
  step sleep 300
  screenshot setup-monitor

  user_keys ctrl+Tab
  step sleep 300
  screenshot setup-settings
  # "Alpha" is shown; its Scroll Lock action (the seventh list) becomes
  # "Maintain ON", three entries down from "Ignore".
  click ComboBox '#7'
  user_keys Down Down Down Return
  # The owner filter, typed into its text box, is in force at once.
  click Edit '#2'
  user_keys N o b o d y
  step sleep 300
  screenshot setup-edited
  # "Alpha" no longer matches: "Default" is in force (the setup window's
  # caption says so) and turns Caps Lock off; Scroll Lock stays as "Alpha"
  # kept it while the setup window was in front.
  step activate report
  step waitwin "$TPID" form 3000 "Tarvolo - [Default]"
  keys 0x1
  step activate-hwnd "$setup"
  x_focus_to_foreground
  click Edit '#2'
  user_keys End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  step sleep 300
  screenshot setup-cleared
  step activate report
  step waitwin "$TPID" form 3000 "Tarvolo - [Alpha]"
  # Wine gives the X focus to the window it activates and, taking it, sets
  # Caps Lock back to the X server's state; Scroll Lock shows the setting.
  keys xx1
  step activate-hwnd "$setup"
  x_focus_to_foreground
  user_keys alt+F4
  setup_window_closes
  tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep -A3 '^Name=Alpha$' | grep -q '^Action_ScrollLock=3$' ||
    fail "the Scroll Lock action was not saved: $(tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep -A3 '^Name=Alpha$' | tr '\n' ' ')"
  tarvolo_exit
}
