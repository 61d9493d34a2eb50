# shellcheck shell=bash
# The end-to-end suite's hands: the test host, tarvolo.exe and the cases'
# bookkeeping. Sourced by run.sh, which sets WINE, E2E_BIN_DIR and E2E_WORK.

E2E_HOST_PID=""
E2E_TO_HOST=""
E2E_FROM_HOST=""
REPLY_LINE=""
CASE_LOG=/dev/null

# Seconds to wait for one answer of the host; its own waits are shorter.
readonly E2E_ANSWER_SECONDS=40

# ---- the Wine prefix ----

# Two settings of the prefix for the tests, both harmless to other programs:
# the relay channel, where a case turns it on, traces only the key calls
# (those that send keystrokes among them),
# the installing of hooks (the foreground event hook among them) and the
# calls for help;
# and the host's windows are not left to a window manager. There is none in
# the virtual display, and Wine waits about two seconds for one whenever a
# managed window is hidden or destroyed.
e2e_prepare_prefix() {
  "$WINE" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /t REG_SZ \
    /d 'user32.SetKeyboardState;user32.GetKeyboardState;user32.keybd_event;user32.SendInput;user32.GetKeyState;user32.SetWindowsHookExA;user32.SetWinEventHook;user32.WinHelpA;user32.WinHelpW' /f >/dev/null 2>&1 &&
    "$WINE" reg add 'HKCU\Software\Wine\AppDefaults\e2e_host.exe\X11 Driver' /v Managed /t REG_SZ /d N /f \
      >/dev/null 2>&1
}

# ---- the test host ----

host_start() {
  coproc E2E_HOST_PROC { exec "$WINE" "$E2E_BIN_DIR/e2e_host.exe" 2>>"$E2E_WORK/host.stderr"; }
  E2E_HOST_PID=$E2E_HOST_PROC_PID
  # Plain descriptors: a coprocess's own are closed in subshells, and every
  # case runs in one.
  exec {E2E_TO_HOST}>&"${E2E_HOST_PROC[1]}" {E2E_FROM_HOST}<&"${E2E_HOST_PROC[0]}"
  host_read_answer 120 && [[ $REPLY_LINE == "ok ready" ]]
}

host_stop() {
  [[ -n $E2E_HOST_PID ]] || return 0
  host quit >/dev/null 2>&1 || true
  exec {E2E_TO_HOST}>&- {E2E_FROM_HOST}<&-
  wait "$E2E_HOST_PID" 2>/dev/null || true
  E2E_HOST_PID=""
}

host_read_answer() {
  if ! IFS= read -r -t "$1" REPLY_LINE <&"$E2E_FROM_HOST"; then
    REPLY_LINE="fail (the host did not answer)"
    return 1
  fi
  REPLY_LINE=${REPLY_LINE%$'\r'}
}

# host COMMAND...: the answer is left in REPLY_LINE; true when it is "ok ...".
host() {
  local started=${EPOCHREALTIME/./}
  printf '%s\n' "$*" >&"$E2E_TO_HOST"
  host_read_answer "$E2E_ANSWER_SECONDS" || true
  printf '    %s -> %s  [%d ms]\n' "$*" "$REPLY_LINE" $(((${EPOCHREALTIME/./} - started) / 1000)) >>"$CASE_LOG"
  [[ $REPLY_LINE == ok* ]]
}

# The n-th word of the last answer (1 is the word after "ok").
answer_word() {
  local words
  read -r -a words <<<"$REPLY_LINE"
  printf '%s' "${words[$1]:-}"
}

# ---- steps of a case (each returns non-zero on failure) ----

fail() {
  printf '    FAILED: %s\n' "$*" >>"$CASE_LOG"
  printf '%s\n' "$*" >"$CASE_DIR/why"
  return 1
}

# step COMMAND...: a host command that must succeed.
step() {
  host "$@" || fail "$* -> $REPLY_LINE"
}

# The keys reach the pattern (Caps, Num, Scroll; x for either) within a few
# fast ticks.
keys() { step waitkeys "$1" 3000; }

# The keys keep the pattern for about five fast ticks.
keeps() { step steady "$1" 850; }

# switch_keys NAME PATTERN: our window NAME brought to the front, and the
# keys reach the pattern within a few fast ticks; switch_keeps: they keep it.
switch_keys() { step switch "$1" "$2" 3000; }
switch_keeps() { step activate "$1" && keeps "$2"; }

# The user presses a lock key: not while the program is still making sure
# of a change it made (it reads the key back for up to three attempts of
# about 50 ms, and would take a press in that time for a change that did
# not happen), but once the keys have kept still for a moment, as a person
# would.
user_press() {
  step keys || return 1
  step steady "$(answer_word 1)" 300 || return 1
  step press "$1"
}

note() { printf '  %s\n' "$*" >>"$CASE_LOG"; }

# retry COUNT PAUSE COMMAND...: the command, tried up to COUNT times PAUSE
# seconds apart, until it succeeds.
retry() {
  local i
  for ((i = 0; i < $1; i++)); do
    "${@:3}" && return 0
    sleep "$2"
  done
  return 1
}

# ---- tarvolo.exe ----

# case_folder WRITER [ARG...]: a fresh folder with the program and the
# Tarvolo.INI that the writer function (called with the file's path, then
# the arguments) prepares.
case_folder() {
  cp "$E2E_BIN_DIR/tarvolo.exe" "$CASE_DIR/tarvolo.exe"
  "$1" "$CASE_DIR/Tarvolo.INI" "${@:2}"
  cp "$CASE_DIR/Tarvolo.INI" "$CASE_DIR/prepared.ini"
}

# tarvolo_start [VAR=VALUE...]: starts the program in the case's folder and
# waits for its icon. TPID is its Windows process id.
tarvolo_start() {
  step waiticons 0 5000 || return 1
  (cd "$CASE_DIR" && exec env "$@" "$WINE" tarvolo.exe {E2E_TO_HOST}>&- {E2E_FROM_HOST}<&- \
    >>"$CASE_DIR/tarvolo.stdout" 2>>"$CASE_DIR/tarvolo.stderr") &
  echo $! >"$CASE_DIR/unix.pid"
  step waitprocs tarvolo.exe 1 20000 || return 1
  TPID=$(answer_word 2)
  step waiticons 1 20000 || return 1
  # Start-up loads the settings after showing the icon; give it a moment
  # before the first window changes.
  step sleep 300
}

# Waits for the program's process to end by itself.
tarvolo_ended() {
  step waitexit "$TPID" 10000 || return 1
  local pid
  pid=$(cat "$CASE_DIR/unix.pid")
  retry 100 0.1 unix_gone "$pid" || fail "the wine process $pid is still there"
}

unix_gone() { ! kill -0 "$1" 2>/dev/null; }

# Kills the program if a case left it running (a failed step, or the
# end-of-session case, where Windows would end it).
tarvolo_kill() {
  local pid
  pid=$(cat "$CASE_DIR/unix.pid" 2>/dev/null) && kill "$pid" 2>/dev/null || return 0
  retry 30 0.1 unix_gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
}

# The tray menu through the icon: right button up, then the item.
menu_choose() {
  local -A downs=([Show]=1 [Hide]=2 [Exit]=3)
  [[ -n ${downs[$1]:-} ]] || fail "no menu item $1" || return 1
  step trayclick rup || return 1
  step menu "$TPID" 5000 "${downs[$1]}"
}

tarvolo_exit() {
  menu_choose Exit || return 1
  tarvolo_ended
}

# The setup window: a form of the program captioned "Tarvolo" (the refresh
# tick appends the setting's name).
setup_window_opens() { step waitwin "$TPID" form 5000 Tarvolo; }
setup_window_closes() { step waitgone "$TPID" form 5000 Tarvolo; }
hide_setup_window() { menu_choose Hide && setup_window_closes; }

# The file as the program writes it, or a failure naming what differs.
expect_saved() {
  ini_saved_by_program "$CASE_DIR/Tarvolo.INI" "$CASE_DIR/prepared.ini" && return 0
  fail "Tarvolo.INI was not saved: $(tr -d '\r' <"$CASE_DIR/Tarvolo.INI" | grep '^\[' | tr '\n' ' ')"
}

# file_has FILE LINE...: each LINE is a whole line of the file.
file_has() {
  local line text
  text=$(tr -d '\r' <"$1")
  for line in "${@:2}"; do
    grep -qxF "$line" <<<"$text" || fail "no line '$line' in $1: $(grep -F "${line%%=*}=" <<<"$text" | tr '\n' ' ')" ||
      return 1
  done
}

# A Linux path as Wine's Z: drive shows it.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# Removes the file, so that a later save shows. (Putting the prepared file
# back would be an edit by someone else, which the program keeps aside.)
unsave() { rm -f "$CASE_DIR/Tarvolo.INI"; }

# ---- the cases ----

E2E_PASSED=0
E2E_FAILED=0

# run_case NAME FUNCTION: runs the case in a subshell with errexit, so that
# the first failing step ends it; cleans up whatever it left behind.
run_case() {
  local name=$1 fn=$2 started status
  CASE_DIR=$(mktemp -d "$E2E_WORK/case.XXXXXX")
  CASE_LOG="$CASE_DIR/log"
  printf '%s\n' "$name" >"$CASE_LOG"
  started=$SECONDS
  # A known start: lock keys off, a neutral window of ours in front.
  if host setkeys 000 && host make desk - Desk && host activate desk; then
    (set -e; "$fn")
    status=$?
  else
    fail "could not prepare the desktop: $REPLY_LINE"
    status=1
  fi
  tarvolo_kill
  host reset >/dev/null || true
  host trayprune >/dev/null || true
  if ((status == 0)); then
    E2E_PASSED=$((E2E_PASSED + 1))
    printf 'PASS %s (%ds)\n' "$name" $((SECONDS - started))
    [[ -z ${E2E_VERBOSE:-} ]] || sed 's/^/  | /' "$CASE_LOG"
  else
    E2E_FAILED=$((E2E_FAILED + 1))
    printf 'FAIL %s: %s\n' "$name" "$(cat "$CASE_DIR/why" 2>/dev/null || echo "step failed")"
    sed 's/^/  | /' "$CASE_LOG"
  fi
}
