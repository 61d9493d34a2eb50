# shellcheck shell=bash
# The end-to-end case of the Options dialog, with real X input: a hot-key
# captured by holding its keys down. Sourced by run.sh after cases_setup.sh.

# Opened from the setup window's Edit menu with the keyboard, the dialog
# takes a combination held in the "Show Tarvolo" box; OK keeps it, the
# setup window's close writes it, and the new hot-key opens the window.
case_options_hotkey() {
  case_folder ini_hotkeys
  tarvolo_start_hotkeys
  menu_choose Show
  setup_window_in_front
  # Alt+E opens the Edit menu; Up wraps to its last item, "Options".
  user_keys alt+e Up Return
  step waitwin "$TPID" form 5000 Options
  x_focus_to_foreground
  step sleep 300
  screenshot options
  click Edit '#1'
  note "xdotool keydown ctrl shift F9, held for a second"
  xdotool keydown ctrl shift F9
  sleep 1
  xdotool keyup F9 shift ctrl
  step sleep 300
  screenshot options-captured
  click Button OK
  step waitgone "$TPID" form 5000 Options
  setup_window_in_front
  user_keys alt+F4
  setup_window_closes
  tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep -q '^Show_Disp=Ctrl + Shift + F9$' ||
    fail "the captured hot-key was not saved: $(tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep '^Show_' | tr '\n' ' ')"
  tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep -q '^Show_vKey=120$' || fail "Show_vKey is not 120"
  tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep -q '^Show_Modifier=6$' || fail "Show_Modifier is not 6"
  step activate desk
  x_focus_to_foreground
  user_keys ctrl+shift+F9
  setup_window_opens
  tarvolo_exit
}
