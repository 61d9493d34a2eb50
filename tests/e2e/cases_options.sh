# shellcheck shell=bash
# The end-to-end cases of the Options dialog, with real X input: hot-keys
# captured by holding their keys down, Cancel, the password warning, the
# end of the session while the dialog is up, and starting with Windows.
# Sourced by run.sh after cases_setup.sh.

# The dialog opened from the setup window's Edit menu with the keyboard, as
# a user would: Alt+E, then Up wraps to its last item, "Options".
options_dialog_opens() {
  show_setup_window
  user_keys alt+e Up Return
  step waitwin "$TPID" form 5000 Options
  x_focus_to_foreground
}

# options_close BUTTON: the dialog closed with its button.
options_close() { click Button "$1" && step waitgone "$TPID" form 5000 Options; }

# dialog_in_front TITLE: once the message box has gone (Wine without a
# window manager takes a while over it), the dialog is in front again with
# the X focus.
dialog_in_front() {
  retry 50 0.1 foreground_is "$1" || fail "$1 is not in front: $REPLY_LINE"
  x_focus_to_foreground
}
foreground_is() { host foreground && [[ $REPLY_LINE == *" title=$1" ]]; }

# keys_down KEY...: held down together for a second (four capture ticks).
keys_down() {
  note "xdotool keydown $*, held for a second"
  xdotool keydown "$@"
  sleep 1
}

# The keys let go of in the reverse order.
keys_up() {
  # shellcheck disable=SC2046  # the keys are words
  xdotool keyup $(printf '%s\n' "$@" | tac)
  step sleep 300
}

# capture WHICH TEXT KEY...: the keys held in the dialog's hot-key box
# WHICH (#N), then released; the box comes to show TEXT.
capture() {
  click Edit "$1"
  keys_down "${@:3}"
  keys_up "${@:3}"
  box_holds "$1" "$2"
}

# box_holds WHICH TEXT: the dialog's text box (#N) holds TEXT; BOX_X, BOX_Y,
# BOX_W and BOX_H are left as its place on the screen.
box_holds() {
  step childtext "$TPID" Edit "$1"
  read -r BOX_X BOX_Y BOX_W BOX_H _ <<<"${REPLY_LINE#ok }"
  local text=${REPLY_LINE#ok * * * * }
  [[ $text == "$2" ]] || fail "box $1 holds '$text', not '$2'"
}

# The pixels of the last box_holds box drawn in a strong blue, as the
# dialog shows a combination it refuses.
blue_pixels_in_box() {
  local shot="$CASE_DIR/box.png"
  import -window root "$shot" 2>/dev/null || { fail "no screenshot (ImageMagick's import failed)"; return 1; }
  convert "$shot" -crop "${BOX_W}x${BOX_H}+${BOX_X}+${BOX_Y}" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 && $3 + 0 < 90 && $4 + 0 < 90 && $5 + 0 > 180 { n++ } END { print n + 0 }'
}

# While the dialog is open the program's hot-keys are free (another process
# can take Ctrl+Alt+R); Cancel drops the change held in "Capitalize", the
# old combination works again, and the one taken meanwhile is the only one
# that does nothing. Then Ctrl+Shift+F12 held in the "Capitalize" box is
# taken; Ctrl+Shift+F11, held by another process, is shown in blue in the
# "Reverse" box and not taken. OK keeps the change, the setup window's close
# writes it, and the new combination capitalizes in Notepad.
case_options_hotkey() {
  trap '"$WINE" reg delete "$RUN_KEY" /v Tarvolo /f >/dev/null 2>&1 || true' EXIT
  case_folder ini_hotkeys
  step holdhotkey 6 122
  local held taken
  held=$(answer_word 1)
  tarvolo_start_hotkeys
  options_dialog_opens
  step holdhotkey 3 82
  taken=$(answer_word 1)
  capture '#2' "Ctrl + Shift + F12" ctrl shift F12
  options_close Cancel
  setup_window_in_front
  close_setup_window
  notepad_with_text Hello World
  user_keys ctrl+shift+F12
  user_keys ctrl+alt+r
  step sleep 1000
  step waittext "$EDITOR" 100 Hello World
  hotkey_gives ctrl+alt+u HELLO WORLD
  step settext "$EDITOR" Hello World
  hotkey_gives ctrl+alt+l hello world
  step freehotkeys "$taken"

  options_dialog_opens
  screenshot options
  capture '#2' "Ctrl + Shift + F12" ctrl shift F12
  local blue
  blue=$(blue_pixels_in_box)
  ((blue == 0)) || fail "a combination taken is drawn in blue ($blue pixels)"
  # Refused, the combination shows in blue while it is held; released, the
  # box shows Reverse's own again.
  click Edit '#3'
  keys_down ctrl shift F11
  screenshot options-refused
  box_holds '#3' "Ctrl + Shift + F11"
  blue=$(blue_pixels_in_box)
  keys_up ctrl shift F11
  ((blue > 20)) || fail "a combination held elsewhere is not drawn in blue ($blue pixels)"
  box_holds '#3' "Ctrl + Alt + R"
  options_close OK
  setup_window_in_front
  close_setup_window
  # The captured hot-key is saved; the refused combination did not replace
  # Reverse's.
  file_has "$CASE_DIR/Tarvolo.INI" "Capitalize_Disp=Ctrl + Shift + F12" Capitalize_vKey=123 Capitalize_Modifier=6 \
    Reverse_vKey=82 Reverse_Modifier=3
  step settext "$EDITOR" Hello World
  to_front "$EDITOR"
  hotkey_gives ctrl+shift+F12 HELLO WORLD

  # "Start Tarvolo with Windows" ticked with its access key (Alt+S) and OK
  # writes the program's quoted path. The next opening shows the box ticked;
  # Alt+S held in a hot-key box is a combination there, not the access key;
  # a click unticks the box and OK removes the value.
  options_dialog_opens
  [[ -z $(run_value) ]] || fail "a Run value before the box was ticked: $(run_value)"
  user_keys alt+s
  options_close OK
  local want
  want="Tarvolo REG_SZ \"$(windows_path "$CASE_DIR/tarvolo.exe")\""
  [[ $(run_value) == "$want" ]] || fail "the Run value is '$(run_value)', not '$want'"
  options_dialog_opens
  capture '#1' "Alt + S" alt s
  click Button Start Tarvolo with Windows
  options_close OK
  [[ -z $(run_value) ]] || fail "the Run value stayed: $(run_value)"
  # "Exit" from the tray with the dialog open ends the program; the file
  # keeps what OK took.
  options_dialog_opens
  unsave
  tarvolo_exit
  file_has "$CASE_DIR/Tarvolo.INI" Capitalize_vKey=123 "Show_Disp=Alt + S"
  step freehotkeys "$held"
}

# The first character typed as a password brings the warning; its Cancel
# drops that character only, and no second warning comes. The session then
# ends with the dialog open: nothing of the dialog's is written, the file
# is saved whole, and the program ends, its icon gone.
case_options_password_session_end() {
  case_folder ini_hotkeys
  tarvolo_start_hotkeys
  options_dialog_opens
  click Edit '#5'
  user_keys x
  step msgbox "$TPID" 5000 Cancel
  [[ ${REPLY_LINE#ok } == *"If you create a password and forget it"* ]] || fail "not the warning: $REPLY_LINE"
  dialog_in_front Options

  box_holds '#5' ""
  user_keys s e c r e t
  host msgbox "$TPID" 1000 - && fail "a second warning: $REPLY_LINE"
  box_holds '#5' secret
  capture '#1' "Ctrl + Shift + F9" ctrl shift F9
  screenshot options-password
  step endsession "$TPID" shutdown
  [[ $(answer_word 1) == "$(answer_word 3)" ]] || fail "not every window let the session end: $REPLY_LINE"
  # Windows may end the process as soon as WM_ENDSESSION is answered.
  expect_saved
  # Neither the password typed nor the combination held was kept without
  # OK, and the settings are all there.
  file_has "$CASE_DIR/Tarvolo.INI" Password= Show_vKey=84 Name=Default
  tarvolo_ended
  step waiticons 0 3000
}

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# The value of "Tarvolo" in the user's Run key as `reg query` shows it in
# the test prefix: "Tarvolo REG_SZ DATA", or nothing.
run_value() {
  "$WINE" reg query "$RUN_KEY" /v Tarvolo 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *\(Tarvolo\) \+\(REG_[A-Z_]*\) \+/\1 \2 /p'
}
