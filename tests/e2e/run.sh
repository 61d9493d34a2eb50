#!/usr/bin/env bash
# End-to-end tests of tarvolo.exe under Wine, in a virtual X display when
# there is no display. Each case copies tarvolo.exe into a fresh folder with
# a prepared Tarvolo.INI, starts it, drives it from outside through our test
# host (e2e_host.exe: windows with chosen titles and owners, the lock keys,
# the tray icon, the menu and the input box) and Wine's own Notepad, checks,
# and ends it through its tray menu's "Exit".
#
#   tests/e2e/run.sh [CASE...]
#
# TARVOLO_BIN_DIR: where tarvolo.exe and e2e_host.exe are (default
# build/windows/bin); E2E_VERBOSE=1 prints the log of passing cases too;
# E2E_STORM_PACES: the paces of hotkeys_notepad_wordpad's storms of hot-keys,
# in ms between key events (default "3 4 6 8"), to measure how often a
# series of them shows a fault. The cases of the NT family run with Wine reporting
# Windows 10, those of the 9x family with Windows 98. Prints one PASS or FAIL
# line per case (a failure with its log) and "N passed, N failed" last; the
# exit code is non-zero when a case failed.
set -uo pipefail

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_BIN_DIR="${TARVOLO_BIN_DIR:-$E2E_ROOT/build/windows/bin}"

for exe in tarvolo.exe e2e_host.exe; do
  if [[ ! -f $E2E_BIN_DIR/$exe ]]; then
    echo "e2e: $E2E_BIN_DIR/$exe is missing; build the windows preset first" >&2
    echo "0 passed, 1 failed"
    exit 1
  fi
done

# shellcheck source=scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh" || exit 1
source "$E2E_ROOT/tests/e2e/ini.sh"
source "$E2E_ROOT/tests/e2e/lib.sh"
source "$E2E_ROOT/tests/e2e/cases.sh"
# shellcheck source=tests/e2e/cases_hotkeys.sh
source "$E2E_ROOT/tests/e2e/cases_hotkeys.sh"
# shellcheck source=tests/e2e/cases_setup.sh
source "$E2E_ROOT/tests/e2e/cases_setup.sh"
# shellcheck source=tests/e2e/cases_options.sh
source "$E2E_ROOT/tests/e2e/cases_options.sh"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarvolo-e2e.XXXXXX")

finish() {
  host_stop
  wine_set_version win10 >/dev/null 2>&1 || true
  wine_env_stop
  rm -rf "$E2E_WORK"
}
trap finish EXIT
trap 'exit 130' INT TERM

e2e_prepare_prefix || { echo "e2e: could not set up the Wine prefix"; echo "0 passed, 1 failed"; exit 1; }

NT_CASES=(
  which_setting actions_over_time
  tray_menu
  hotkeys_notepad_wordpad
  setup_snapshot_unicode setup_save_faults appdata_settings
  options_hotkey options_password_session_end
  # Last: after the shell's balloon or a Wine virtual desktop has come and
  # gone, the default desktop's foreground is not what it was until Wine's
  # server starts again.
  tray_status tray_picture_96dpi tray_picture_144dpi
)
NINE_X_CASES=(9x_keyboard_state_way 9x_keystrokes_and_hotkeys)

# run_family VERSION PLATFORM CASE...: the host runs for the whole family;
# Wine is switched while nothing of ours runs.
run_family() {
  local version=$1 platform=$2 name selected=()
  shift 2
  # Every case when none was chosen.
  for name in "$@"; do
    ((${#E2E_ONLY[@]} == 0)) || [[ " ${E2E_ONLY[*]} " == *" $name "* ]] && selected+=("$name")
  done
  ((${#selected[@]} > 0)) || return 0
  wine_set_version "$version"
  CASE_LOG=/dev/null
  if ! host_start || ! host version || [[ $REPLY_LINE != "ok platform=$platform "* ]]; then
    echo "FAIL starting the test host under $version, or Wine does not report it: $REPLY_LINE"
    E2E_FAILED=$((E2E_FAILED + ${#selected[@]}))
    host_stop
    return
  fi
  echo "-- $version ($REPLY_LINE)"
  for name in "${selected[@]}"; do run_case "$name" "case_$name"; done
  host_stop
  "$WINESERVER" -w
}

E2E_ONLY=("$@")
run_family win10 2 "${NT_CASES[@]}"
run_family win98 1 "${NINE_X_CASES[@]}"

echo "$E2E_PASSED passed, $E2E_FAILED failed"
((E2E_FAILED == 0))
