# shellcheck shell=bash
# The end-to-end cases of the global hot-keys, pressed as real X keyboard
# input. Sourced by run.sh after cases.sh.

# Show Ctrl+Alt+T, Capitalize Ctrl+Alt+U, Reverse Ctrl+Alt+R, Lower Ctrl+Alt+L.
ini_hotkeys() {
  local file=$1
  shift
  ini_options "$file" "$@"
  ini_hotkey_combinations "$file"
  ini_setting "$file" Default
}

# The file as shipped: Show, Capitalize, Reverse and Lower on Ctrl+Alt+Shift
# with T, U, R and L.
ini_shipped() { cp "$E2E_ROOT/resources/Tarvolo.INI" "$1"; }

# The four combinations above, in a file that ini_options wrote.
ini_hotkey_combinations() {
  sed -i -e 's/^Show_Disp=\r$/Show_Disp=Ctrl + Alt + T\r/' -e 's/^Capitalize_Disp=\r$/Capitalize_Disp=Ctrl + Alt + U\r/' \
    -e 's/^Reverse_Disp=\r$/Reverse_Disp=Ctrl + Alt + R\r/' -e 's/^Lower_Disp=\r$/Lower_Disp=Ctrl + Alt + L\r/' \
    -e 's/^Show_vKey=0/Show_vKey=84/' -e 's/^Capitalize_vKey=0/Capitalize_vKey=85/' \
    -e 's/^Reverse_vKey=0/Reverse_vKey=82/' -e 's/^Lower_vKey=0/Lower_vKey=76/' \
    -e 's/^\(Show\|Capitalize\|Reverse\|Lower\)_Modifier=0/\1_Modifier=3/' "$1"
}

# tarvolo_start, then until the hot-keys are registered: the program adds
# the global atoms that name them (Lower's last) right before registering,
# a moment after its icon shows, and a press before that would go nowhere.
tarvolo_start_hotkeys() {
  tarvolo_start "$@"
  step waitatom 10000 Make highlighted text lowercase
  step sleep 100
}

# xdotool to the window that has the X focus, as the user's keyboard.
user_keys() {
  note "xdotool key $* (X focus: $(xdotool getwindowfocus getwindowname 2>&1))"
  xdotool key --delay 30 "$@"
}

# hotkey_gives KEYS TEXT: the hot-key pressed, the editor's text box comes
# to hold TEXT. A failure says where the keyboard was.
hotkey_gives() {
  user_keys "$1"
  host waittext "$EDITOR" 5000 "${@:2}" && return 0
  local seen=${REPLY_LINE#fail }
  host foreground || true
  fail "after $1 the text box holds '$seen'; foreground: $REPLY_LINE;" \
    "X focus: $(xdotool getwindowfocus getwindowname 2>&1)"
}

# start_editor COMMANDLINE: the program started and its window in front.
# EDITOR is the window, EDITOR_PID its process.
start_editor() {
  step spawn "$@"
  EDITOR_PID=$(answer_word 1)
  step waitwin "$EDITOR_PID" any 15000 ""
  EDITOR=$(answer_word 1)
  to_front "$EDITOR"
}

# to_front HWND: that window in front with the X keyboard focus.
to_front() { step activate-hwnd "$1" && x_focus_to_foreground; }

# The X keyboard focus on the foreground window, as a user's click would
# put it. Without a window manager Wine does not move the X focus to a
# window it activates, and keys pressed into another window of Wine's are
# sometimes lost on their way to the foreground. The window may still be
# changing its title (WordPad names its document), so this tries for a
# while.
x_focus_to_foreground() { retry 50 0.1 x_focus_once || fail "the X focus did not go to '${X_TITLE:-}'"; }
x_focus_once() {
  local xid pattern
  host foreground || return 1
  X_TITLE=${REPLY_LINE#*title=}
  # The title as a regular expression that matches only itself.
  pattern=$(sed 's/[][\.*^$()+?{}|]/\\&/g' <<<"$X_TITLE")
  xid=$(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null | head -n 1)
  # Raised too, so that a click lands on it and not on a window of ours
  # that Wine left above it.
  [[ -n $xid ]] && timeout 2 xdotool windowraise "$xid" windowfocus --sync "$xid" 2>/dev/null &&
    [[ $(xdotool getwindowfocus getwindowname 2>/dev/null) == "$X_TITLE" ]]
}

# Notepad with the text in its text box, all of it selected.
notepad_with_text() {
  start_editor notepad.exe
  step settext "$EDITOR" "$@"
}

# Cyrillic, Latin beyond ASCII, Greek with its final sigma, CJK, an emoji
# (a surrogate pair in UTF-16), an e with a combining acute (U+0301, as
# bytes so that the source shows it) and ASCII in both cases with a digit.
readonly ACUTE=$'\xcc\x81'
readonly MIXED_SCRIPTS="привет мир straße éclair Σίσυφος 日本語 😀 e$ACUTE Hello World-5"
# Unicode's simple mappings, as CharUpperBuffW and CharLowerBuffW apply
# them: ß has no single capital and stays, ί goes to Ί, Σ comes back as σ;
# marks and characters without case stay. One difference: Unicode maps the
# final ς to Σ, Wine's CharUpperBuffW leaves it.
readonly MIXED_UPPER="ПРИВЕТ МИР STRAßE ÉCLAIR ΣΊΣΥΦΟς 日本語 😀 E$ACUTE HELLO WORLD-5"
readonly MIXED_LOWER="привет мир straße éclair σίσυφος 日本語 😀 e$ACUTE hello world-5"
# Reverse swaps A-Z and a-z only.
readonly MIXED_REVERSED="привет мир STRAßE éCLAIR Σίσυφος 日本語 😀 E$ACUTE hELLO wORLD-5"

# The shipped file's combinations: Capitalize Ctrl+Alt+Shift+U, Reverse
# Ctrl+Alt+Shift+R, Lower Ctrl+Alt+Shift+L, in Notepad; then storms of them
# (below), and the same in WordPad.
case_hotkeys_notepad_wordpad() {
  case_folder ini_shipped
  # The relay trace shows the keystrokes the program sends.
  tarvolo_start_hotkeys WINEDEBUG=-all,+relay
  # Every character goes through the clipboard and back as it is, none as
  # a question mark.
  notepad_with_text "$MIXED_SCRIPTS"
  hotkey_gives ctrl+alt+shift+u "$MIXED_UPPER"
  step settext "$EDITOR" "$MIXED_SCRIPTS"
  hotkey_gives ctrl+alt+shift+r "$MIXED_REVERSED"
  step settext "$EDITOR" "$MIXED_UPPER"
  hotkey_gives ctrl+alt+shift+l "$MIXED_LOWER"
  # Nothing is highlighted after a paste: pressed again, the copy finds
  # nothing, and the text must not be pasted a second time.
  user_keys ctrl+alt+shift+u
  step sleep 1500
  step waittext "$EDITOR" 100 "$MIXED_LOWER"
  storms_leave_text_whole
  # Formatted text in WordPad goes through the rich-text path: the letters
  # change, World stays bold, and only lower case touches the header (the
  # font name), as the markup is lower-cased whole.
  start_editor "$WORDPAD"
  step pasterich "$EDITOR" "$HELLO_RTF"
  hotkey_gives ctrl+alt+shift+u HELLO WORLD
  copied_rich_text_has 'HELLO \b WORLD\b0' '{\f0 Arial;}'
  step pasterich "$EDITOR" "$HELLO_RTF"
  hotkey_gives ctrl+alt+shift+r hELLO wORLD
  copied_rich_text_has 'hELLO \b wORLD\b0' '{\f0 Arial;}'
  step pasterich "$EDITOR" "$HELLO_RTF"
  hotkey_gives ctrl+alt+shift+l hello world
  copied_rich_text_has 'hello \b world\b0' '{\f0 arial;}'
  tarvolo_exit
}

# Wine's WordPad, by its path: it is not on the search path.
readonly WORDPAD='"C:\Program Files\Windows NT\Accessories\wordpad.exe"'
# Hello plain, World bold, in a font whose name has capitals.
readonly HELLO_RTF='{\rtf1\ansi\deff0{\fonttbl{\f0\fswiss Arial;}}\f0\fs24 Hello \b World\b0}'

# copied_rich_text_has TEXT...: the rich text WordPad now copies holds each
# TEXT as it stands.
copied_rich_text_has() {
  step copyrich "$EDITOR"
  local rtf=$REPLY_LINE wanted
  for wanted in "$@"; do
    [[ $rtf == *"$wanted"* ]] || fail "no '$wanted' in $rtf" || return 1
  done
}

# ---- storms of case commands ----

# Keystrokes the program has sent so far, by the relay trace: its batches
# through SendInput, or keys one by one through keybd_event.
sent_keystrokes() { echo $(($(relay_calls SendInput) + $(relay_calls keybd_event))); }

# Until the program has sent no keystroke for longer than a command waits
# for a copy that never comes (a second): whatever the storm left pending
# has run. STORM_SENT is the count then.
wait_keystrokes_done() {
  local last=-1 changed=0 started=${EPOCHREALTIME/./}
  until ((last >= 0 && ${EPOCHREALTIME/./} - changed > 1300000)); do
    ((${EPOCHREALTIME/./} - started < 30000000)) || fail "the program was still sending keystrokes after 30 s" ||
      return 1
    STORM_SENT=$(sent_keystrokes)
    ((STORM_SENT == last)) || { last=$STORM_SENT; changed=${EPOCHREALTIME/./}; }
    sleep 0.05
  done
}

# The orders in which the user lets go of the four keys, as fast hands do;
# L stands for the letter.
readonly STORM_RELEASES=("L shift alt ctrl" "ctrl L alt shift" "shift ctrl alt L" "alt L ctrl shift")

# storm MS: Capitalize and Lower, ten of each in turn, MS between one key
# event and the next, each let go in another of those orders.
storm() {
  local args=() i letter release
  for ((i = 0; i < 20; i++)); do
    if ((i % 2 == 0)); then letter=u; else letter=l; fi
    release=${STORM_RELEASES[(i / 2 + i) % 4]}
    # shellcheck disable=SC2206  # the keys are words
    args+=(keydown --delay "$1" ctrl alt shift "$letter" keyup --delay "$1" ${release/L/$letter})
  done
  xdotool "${args[@]}"
}

readonly STORM_TEXT="The quick brown fox"
# The paces of the storms, in ms between key events: slow enough that the
# storm is still going when the program sends its keystrokes (much quicker,
# it is over before the first command starts), and varied, as machines are.
# Four storms catch the old, interleaving keystrokes nearly every time (they
# spoiled about 70 % of storms); Wine's SendInput, unlike Windows', lets a
# real key in between the inputs of one batch about once in 200 storms,
# which more storms would turn into a failing run more often.
# shellcheck disable=SC2206  # a list of numbers
readonly STORM_PACES=(${E2E_STORM_PACES:-3 4 6 8})

# The text in Notepad, selected, goes through storm after storm: once the
# program is done with each, the text box holds the same letters, only
# their case changed: no letter typed into it, none lost. The program runs
# with the relay trace.
storms_leave_text_whole() {
  local pace text failed="" before started
  for pace in "${STORM_PACES[@]}"; do
    step settext "$EDITOR" "$STORM_TEXT"
    before=$(sent_keystrokes)
    started=${EPOCHREALTIME/./}
    storm "$pace"
    wait_keystrokes_done
    step text "$EDITOR"
    text=${REPLY_LINE#ok }
    note "storm at $pace ms: '$text' after $((STORM_SENT - before)) keystroke calls, $(((${EPOCHREALTIME/./} - started) / 1000)) ms"
    [[ ${text,,} == "${STORM_TEXT,,}" ]] || failed+=" '$text' at $pace ms"
  done
  [[ -z $failed ]] || fail "storms changed more than the case of '$STORM_TEXT':$failed"
}
