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

# click CLASS WHICH: a real left click on the middle of a control of the
# shown form.
click() {
  step childtext "$TPID" "$@"
  local x y w h
  read -r x y w h _ <<<"${REPLY_LINE#ok }"
  note "xdotool click at $((x + w / 2)),$((y + h / 2)) ($*)"
  xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
}

# The setup window in front with the X keyboard focus, as a user's click
# on it would leave it.
setup_window_in_front() {
  setup_window_opens
  to_front "$(answer_word 1)"
}
# Opened with the tray menu's Show.
show_setup_window() { menu_choose Show && setup_window_in_front; }

# The setup window, in front, closed with the keyboard.
close_setup_window() { user_keys alt+F4 && setup_window_closes; }

# name_setting BUTTON KEYS...: the button clicked brings the program's name
# prompt; the name is typed and Enter pressed, as a user would, and the
# prompt goes.
name_setting() {
  click Button "$1"
  step inputbox "$TPID" 5000
  x_focus_to_foreground
  user_keys "${@:2}"
  user_keys Return
  step waitgone "$TPID" 1 5000 ""
}

# wait_control CLASS WHICH: until such a control of the program's form is
# shown. Without a window manager, Wine holds a thread for about two
# seconds after one of its shown windows goes (here the prompt).
wait_control() { retry 40 0.2 host childtext "$TPID" "$@" || fail "no control $* shown"; }

# saved_has NAME KEY=VALUE...: the setting named NAME in the saved file
# (SAVED, or Tarvolo.INI beside the program) has each (case-blind value).
saved_has() {
  local file=${SAVED:-$CASE_DIR/Tarvolo.INI} setting pair
  setting=$(tr -d '\r' <"$file" | grep -A9 "^Name=$1\$") || true
  for pair in "${@:2}"; do
    grep -qix "$pair" <<<"$setting" || fail "$1 in $file has no $pair: $(tr '\n' ' ' <<<"$setting")" || return 1
  done
}

# wine_dpi N: the screen's DPI that Wine reports to programs started from now.
wine_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# Tarvolo.INI in UTF-8 without a byte-order mark, as Notepad writes it, with
# a title filter beyond ASCII.
ini_cafe() {
  ini_options "$1"
  ini_setting "$1" "Café" scroll=3 title=Café
  ini_setting "$1" Default scroll=2
}

# The saved file is still UTF-8 without a byte-order mark: no EF BB BF at
# its start, é as C3 A9, and the other titles given as UTF-8 too.
saved_as_utf8() {
  local file=$CASE_DIR/Tarvolo.INI title
  [[ $(head -c 3 "$file" | od -An -tx1 | tr -d ' ') != efbbbf ]] || fail "Tarvolo.INI now begins with a byte-order mark"
  for title in $'Caf\xc3\xa9' "$@"; do
    LC_ALL=C grep -q "^Filter_Title=$title"$'\r'"\$" "$file" ||
      fail "no Filter_Title=$title as UTF-8 in Tarvolo.INI: $(LC_ALL=C grep '^Filter_Title=' "$file" | tr '\r\n' '  ' | cat -v)" ||
      return 1
  done
}

# A window titled in Cyrillic captured from the Monitor page as a new
# setting (its title and executable), the setting given an action, saved,
# and in force after a restart for that title but not for a Greek one that
# the ANSI code page turns into the same question marks (Wine's best fit
# gives "Ωμέγα" as "O\xb5??a", so not that one); a filter beyond ASCII from a
# file without a byte-order mark works and the saves keep the file so. The
# window reopens on the page it was closed on; Rename, and Delete of a new
# setting, reach the file. The restart is at 144 DPI (the pages shot for a
# person to look at), and ends with "Exit" from the tray while the setup
# window's "That name is already being used." is up: the message closes
# with the program, no new name prompt comes, and the file is saved whole.
case_setup_snapshot_unicode() {
  trap 'wine_dpi 96' EXIT
  case_folder ini_cafe
  tarvolo_start
  step make cafe - Café Paris
  step make report - Отчёт 2026
  step make greek - Ψηλός 2026
  switch_keys cafe xx1
  switch_keys report xx0
  menu_choose Show
  setup_window_opens
  local setup
  setup=$(answer_word 1)
  # The ticks run again (the setup window's caption names the setting) and
  # have seen the setup window in front; the user goes back to the report.
  step waitwin "$TPID" form 5000 "Tarvolo - ["
  step activate report
  wait_control Static "Отчёт 2026"
  to_front "$setup"
  step sleep 200
  screenshot setup-monitor-cyrillic
  name_setting "New Setting" R e p o r t
  wait_control Button Rename
  # The prompt took the X focus with it.
  setup_window_in_front
  # Its Scroll Lock action (the seventh list) becomes "Maintain ON": Scroll
  # Lock, as Wine sets Caps Lock back to the X server's state at each key
  # the user presses.
  click ComboBox '#7'
  user_keys Down Down Down Return
  # Wine's combo box keeps Alt+F4 to itself: the user closes the window
  # from a text box.
  click Edit '#1'
  close_setup_window
  saved_has Report "Filter_Title=Отчёт 2026" Filter_EXE=e2e_host.exe Match_EXE=2
  saved_as_utf8 "Отчёт 2026"

  show_setup_window
  step childtext "$TPID" Button Rename  # reopened on the Settings page
  step sleep 200
  screenshot setup-reopened
  # "Report" is the last of the list.
  click ComboBox '#1'
  user_keys End Return
  name_setting Rename R e p o r t 2
  setup_window_in_front
  name_setting New S p a r e
  setup_window_in_front
  click Button Delete
  close_setup_window
  saved_has Report2 "Filter_Title=Отчёт 2026"
  ! tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep -q '^Name=Spare' || fail "the deleted setting is still in the file"
  tarvolo_exit

  wine_dpi 144
  tarvolo_start
  switch_keys report xx1
  switch_keys greek xx0
  keeps xx0
  switch_keys report xx1
  show_setup_window
  step sleep 300
  screenshot setup-monitor-144dpi
  user_keys ctrl+Tab
  wait_control Button New
  step sleep 300
  screenshot setup-settings-144dpi
  user_keys alt+e Up Return
  step waitwin "$TPID" form 5000 Options
  step sleep 300
  screenshot options-144dpi
  options_close Cancel
  setup_window_in_front
  name_setting New D e f a u l t
  step msgbox "$TPID" 5000 -
  [[ ${REPLY_LINE#ok } == "That name is already being used." ]] || fail "not the duplicate-name message: $REPLY_LINE"
  unsave
  menu_choose Exit
  tarvolo_ended
  saved_has Report2 "Filter_Title=Отчёт 2026"
  saved_as_utf8 "Отчёт 2026"
}

# close_setup_window_saving [BUTTON]: the setup window, in front, closed with
# Alt+F4; its save's message comes and is answered (with OK, or BUTTON; "-"
# leaves it up). Without a window manager Wine holds the program about two
# seconds as the window goes.
close_setup_window_saving() {
  user_keys alt+F4
  step msgbox "$TPID" 15000 "$@"
}

# Without Tarvolo.hlp, F1 on a control of the setup window opens
# Tarvolo.html at that control's topic in the browser that opens .html
# files, here a stand-in registered for the case that writes down its
# command line; "Contents" in the Help menu opens it at the contents.
# WinHelp, which would only complain of the missing file, is never called
# (the relay trace shows every call). With the page gone, F1 brings a
# message that names it.
#
# Whatever takes Tarvolo.INI's place while the setup window is open and
# cannot be read as settings does not keep its close from saving: 9 MB of
# random bytes are moved aside, then a folder, each to the next free backup
# name, which the message gives. An edit by hand made while the window is
# open is not taken; the save keeps it aside the same way. A file another
# program holds open cannot be saved; the session then ends with that
# message up: the program ends at once, and the file stays as it was.
case_setup_save_faults() {
  local ini=$CASE_DIR/Tarvolo.INI sum record=$CASE_DIR/browser-args.txt
  trap 'tarvolo_kill; "$WINE" reg add "HKCR\.html" /ve /d htmlfile /f >/dev/null 2>&1' EXIT
  "$WINE" reg add 'HKCR\TarvoloStandIn\shell\open\command' /ve \
    /d "\"$(windows_path "$E2E_BIN_DIR/stand_in_browser.exe")\" \"%1\"" /f >/dev/null 2>&1 &&
    "$WINE" reg add 'HKCR\.html' /ve /d TarvoloStandIn /f >/dev/null 2>&1 || fail "could not register the stand-in"
  case_folder ini_alpha
  cp "$E2E_ROOT/resources/Tarvolo.html" "$CASE_DIR/Tarvolo.html"
  tarvolo_start WINEDEBUG=-all,+relay
  # A setting added by hand while the window is closed applies without a
  # restart, and the saves keep it.
  step make notes - Notes by hand
  switch_keys notes 000
  ini_setting "$ini" "Hand-made" scroll=3 title=Notes
  cp "$ini" "$CASE_DIR/prepared.ini"
  keys xx1

  show_setup_window
  user_keys ctrl+Tab
  # The Caps Lock action's list: help topic 140. A click that did not reach
  # it under load leaves the focus on the setting's name (topic 110): then
  # once more. The stand-in adds a line to its record at each start.
  wait_control ComboBox '#5'
  local try
  for try in 1 2 3; do
    rm -f "$record"
    click ComboBox '#5'
    step sleep 300
    user_keys Escape F1
    retry 50 0.2 test -s "$record" || fail "the browser was not started"
    grep -qF 'Tarvolo.html#topic140"' "$record" && break
    note "F1 went elsewhere: $(cat "$record")"
  done
  user_keys alt+h Return
  retry 50 0.2 grep -qF 'Tarvolo.html#contents"' "$record" ||
    fail "the browser was not given the contents: $(cat "$record")"
  local page_url
  page_url="file:///$(windows_path "$CASE_DIR" | tr '\\' /)/Tarvolo.html"
  grep -qF "\"$page_url#topic140\"" "$record" || fail "not the page's URL at topic 140 ($page_url): $(cat "$record")"
  ! grep -q 'Call user32.WinHelp' "$CASE_DIR/tarvolo.stderr" || fail "WinHelp was called for a missing Tarvolo.hlp"

  rm "$CASE_DIR/Tarvolo.html"
  click ComboBox '#5'
  step sleep 300
  user_keys Escape F1
  step msgbox "$TPID" 5000 || return 1
  [[ ${REPLY_LINE#ok } == *"$(windows_path "$CASE_DIR")\Tarvolo.html was not found."* ]] ||
    fail "not the missing page's message: $REPLY_LINE"
  # Back on the Monitor page, from a text box: Wine's combo box keeps Alt+F4
  # to itself.
  setup_window_in_front
  click Edit '#1'
  user_keys ctrl+Tab

  show_setup_window
  head -c $((9 * 1024 * 1024)) /dev/urandom >"$CASE_DIR/garbage"
  sum=$(sha256sum <"$CASE_DIR/garbage")
  mv "$CASE_DIR/garbage" "$ini"
  close_setup_window_saving
  [[ $REPLY_LINE == *"far too large"*"\\Tarvolo.INI.bak "* ]] || fail "not the message of a huge file moved aside: $REPLY_LINE"
  [[ $(sha256sum <"$ini.bak" 2>&1) == "$sum" ]] || fail "Tarvolo.INI.bak is not the 9 MB put in its place"
  expect_saved

  show_setup_window
  rm "$ini" && mkdir "$ini" && printf 'not ours\n' >"$ini/notes.txt"
  close_setup_window_saving
  [[ $REPLY_LINE == *"renamed the folder"*"\\Tarvolo.INI.2.bak "* ]] ||
    fail "not the message of a folder renamed aside: $REPLY_LINE"
  [[ $(cat "$ini.2.bak/notes.txt" 2>&1) == "not ours" ]] || fail "the folder was not renamed with what it held"
  expect_saved

  show_setup_window
  printf '[Added by hand]\r\nNote=keep me\r\n' >>"$ini"
  cp "$ini" "$CASE_DIR/by-hand.ini"
  step sleep 1500
  close_setup_window_saving
  [[ $REPLY_LINE == *"\\Tarvolo.INI.3.bak"* ]] || fail "the message does not say where the backup is: $REPLY_LINE"
  cmp -s "$CASE_DIR/by-hand.ini" "$ini.3.bak" || fail "the backup is not the file as edited by hand"
  expect_saved

  show_setup_window
  cp "$ini" "$CASE_DIR/held.ini"
  step holdfile "$(windows_path "$ini")"
  close_setup_window_saving -
  [[ $REPLY_LINE == *"could not save"*"Another program has the file open."* ]] ||
    fail "not the message of a file in use: $REPLY_LINE"
  step endsession "$TPID" logoff
  [[ $(answer_word 1) == "$(answer_word 3)" ]] || fail "not every window let the session end: $REPLY_LINE"
  host waitexit "$TPID" 1000 || fail "the program still ran a second after the session ended"
  step freefiles
  cmp -s "$ini" "$CASE_DIR/held.ini" || fail "the file held open was changed"
  tarvolo_ended
}

# The program's folder takes no new file (chattr +i: root, as the tests run,
# ignores permission bits): at the first start Tarvolo says once that its
# settings now live in %APPDATA%\Tarvolo, copied from the file beside it.
# Opened from the tray, the setup window shows the window the user goes back
# to. On its Settings page the user changes the chosen setting with the
# mouse and the keyboard; the change applies at once and is saved in AppData
# when the window closes, the file beside the program stays as it was, and
# after a restart, without a word, the change is in force.
case_appdata_settings() {
  local appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tarvolo" setup
  trap "chattr -i '$CASE_DIR'; rm -rf '$appdata'" EXIT
  case_folder ini_alpha
  # What the case writes in its folder must be there before it is locked.
  touch "$CASE_DIR"/{tarvolo.stdout,tarvolo.stderr,unix.pid,why}
  chattr +i "$CASE_DIR"
  tarvolo_start
  step msgbox "$TPID" 5000
  [[ $REPLY_LINE == *'kept in'*'C:\users\'*'\AppData\Roaming\Tarvolo\Tarvolo.INI'*'starts as a copy'* ]] ||
    fail "not the notice of the new place: $REPLY_LINE"
  cmp -s "$appdata/Tarvolo.INI" "$CASE_DIR/prepared.ini" || fail "the file in AppData is not a copy"
  step make report - Alpha report
  switch_keys report 100
  menu_choose Show
  setup_window_opens
  setup=$(answer_word 1)
  step activate report
  to_front "$setup"
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
  to_front "$setup"
  click Edit '#2'
  user_keys End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
  step sleep 300
  screenshot setup-cleared
  # "Alpha" is in force again. Its keys are not checked here: Wine sets the
  # lock keys back to the X server's state at the typed keys or the change of
  # X focus, at times after the program has set them, and its thread then
  # still reads the state it set.
  step activate report
  step waitwin "$TPID" form 3000 "Tarvolo - [Alpha]"
  to_front "$setup"
  # Wine's combo box swallows Alt+F4 (Windows' closes the window): the
  # focus is in a text box.
  close_setup_window
  SAVED=$appdata/Tarvolo.INI saved_has Alpha Action_ScrollLock=3
  cmp -s "$CASE_DIR/Tarvolo.INI" "$CASE_DIR/prepared.ini" || fail "the file beside the program changed"
  tarvolo_exit
  step activate desk
  step setkeys 000
  tarvolo_start
  host msgbox "$TPID" 1500 && fail "told again: $REPLY_LINE"
  switch_keys report xx1
  tarvolo_exit
}
