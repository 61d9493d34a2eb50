# shellcheck shell=bash
# The end-to-end cases of the global hot-keys, pressed as real X keyboard
# input. Sourced by run.sh after cases.sh.

# Show Ctrl+Alt+T, Capitalize Ctrl+Alt+U, Reverse Ctrl+Alt+R, Lower Ctrl+Alt+L.
ini_hotkeys() {
  local file=$1
  shift
  ini_options "$file" "$@"
  sed -i -e 's/^Show_vKey=0/Show_vKey=84/' -e 's/^Capitalize_vKey=0/Capitalize_vKey=85/' \
    -e 's/^Reverse_vKey=0/Reverse_vKey=82/' -e 's/^Lower_vKey=0/Lower_vKey=76/' \
    -e 's/^\(Show\|Capitalize\|Reverse\|Lower\)_Modifier=0/\1_Modifier=3/' "$file"
  ini_setting "$file" Default
}

# xdotool to the window that has the X focus, as the user's keyboard.
user_keys() {
  note "xdotool key $*"
  xdotool key --delay 30 "$@"
}

case_hotkeys_notepad() {
  case_folder ini_hotkeys
  tarvolo_start
  step spawn notepad.exe
  local notepad editor
  notepad=$(answer_word 1)
  step waitwin "$notepad" any 15000 ""
  editor=$(answer_word 1)
  step activate-hwnd "$editor"
  step settext "$editor" Hello World-5
  user_keys ctrl+alt+u
  step waittext "$editor" 5000 HELLO WORLD-5
  step settext "$editor" Hello World-5
  user_keys ctrl+alt+r
  step waittext "$editor" 5000 hELLO wORLD-5
  step settext "$editor" Hello World-5
  user_keys ctrl+alt+l
  step waittext "$editor" 5000 hello world-5
  tarvolo_exit
}

# Notepad started and its text box holding the text, all of it selected.
# EDITOR is the window.
notepad_with_text() {
  step spawn notepad.exe
  local notepad
  notepad=$(answer_word 1)
  step waitwin "$notepad" any 15000 ""
  EDITOR=$(answer_word 1)
  step activate-hwnd "$EDITOR"
  step settext "$EDITOR" "$@"
}

# A combination another program holds: that hot-key does nothing of ours,
# the others work.
case_hotkey_held_elsewhere() {
  case_folder ini_hotkeys
  step holdhotkey 3 85
  local held
  held=$(answer_word 1)
  tarvolo_start
  notepad_with_text Hello World
  user_keys ctrl+alt+u
  step sleep 1000
  step waittext "$EDITOR" 100 Hello World
  user_keys ctrl+alt+r
  step waittext "$EDITOR" 5000 hELLO wORLD
  tarvolo_exit
  step freehotkeys "$held"
}

ini_hotkeys_password() { ini_hotkeys "$1" password=OpenSesame; }
# The show hot-key opens the setup window through the password question.
case_hotkey_show() {
  case_folder ini_hotkeys_password
  tarvolo_start
  user_keys ctrl+alt+t
  step inputbox "$TPID" 5000
  step answer "$TPID" ok wrong
  step waitgone "$TPID" 1 3000 ""
  setup_window_stays_closed
  user_keys ctrl+alt+t
  step inputbox "$TPID" 5000
  step answer "$TPID" ok OpenSesame
  setup_window_opens
  menu_choose Exit
  tarvolo_ended
}

# On Windows 98 the journal-record hook (type 0) is asked for at start-up;
# Wine refuses it, and the program carries on: the hot-keys work all the
# same.
case_9x_hotkeys() {
  case_folder ini_hotkeys
  tarvolo_start WINEDEBUG=-all,+relay
  notepad_with_text Hello World
  user_keys ctrl+alt+u
  step waittext "$EDITOR" 5000 HELLO WORLD
  tarvolo_exit
  local asked
  asked=$(grep -c 'Call user32.SetWindowsHookExA(00000000,' "$CASE_DIR/tarvolo.stderr" || true)
  ((asked >= 1)) || fail "the journal hook was asked for $asked times"
  note "journal hook asked for $asked times; Wine answered: $(grep -m1 'Ret  user32.SetWindowsHookExA' "$CASE_DIR/tarvolo.stderr")"
}

# Wine's WordPad, by its path: it is not on the search path.
readonly WORDPAD='"C:\Program Files\Windows NT\Accessories\wordpad.exe"'
# Hello plain, World bold, in a font whose name has capitals.
readonly HELLO_RTF='{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}}\f0\fs24 Hello \b World\b0}'

# WordPad started with the document in its rich-text box, all selected.
# EDITOR is the window.
wordpad_with_rich_text() {
  step spawn "$WORDPAD"
  local wordpad
  wordpad=$(answer_word 1)
  step waitwin "$wordpad" any 15000 ""
  EDITOR=$(answer_word 1)
  step activate-hwnd "$EDITOR"
  step pasterich "$EDITOR" "$@"
}

# copied_rich_text_has TEXT...: the rich text WordPad now copies holds each
# TEXT as it stands.
copied_rich_text_has() {
  step copyrich "$EDITOR"
  local rtf=$REPLY_LINE wanted
  for wanted in "$@"; do
    [[ $rtf == *"$wanted"* ]] || fail "no '$wanted' in $rtf" || return 1
  done
}

# Formatted text in WordPad goes through the rich-text path: the letters
# change, World stays bold, and only lower case touches the header (the
# font name), as the markup is lower-cased whole.
case_hotkeys_wordpad() {
  case_folder ini_hotkeys
  tarvolo_start
  wordpad_with_rich_text "$HELLO_RTF"
  user_keys ctrl+alt+u
  step waittext "$EDITOR" 5000 HELLO WORLD
  copied_rich_text_has 'HELLO \b WORLD\b0' '{\f0 Arial;}'
  step pasterich "$EDITOR" "$HELLO_RTF"
  user_keys ctrl+alt+r
  step waittext "$EDITOR" 5000 hELLO wORLD
  copied_rich_text_has 'hELLO \b wORLD\b0' '{\f0 Arial;}'
  step pasterich "$EDITOR" "$HELLO_RTF"
  user_keys ctrl+alt+l
  step waittext "$EDITOR" 5000 hello world
  copied_rich_text_has 'hello \b world\b0' '{\f0 arial;}'
  tarvolo_exit
}
