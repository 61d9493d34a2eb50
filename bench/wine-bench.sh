#!/usr/bin/env bash
# Figures of tarvolo.exe under Wine (Windows 10 reported), for BENCHMARKS.md:
#   - the time from activating a window to its lock keys being right
#     (median and 95th percentile over SWITCHES switches, each way);
#   - the time from pressing the Capitalize hot-key in Notepad to the text
#     there being in capitals (PRESSES presses);
#   - the CPU time tarvolo.exe uses in IDLE_SECONDS with nothing happening;
#   - the size of tarvolo.exe and the DLLs it imports.
# Figures only: nothing here passes or fails on a speed.
#
#   bench/wine-bench.sh   (SWITCHES=60 PRESSES=40 IDLE_SECONDS=60 by default)
#
# TARVOLO_BIN_DIR: where tarvolo.exe and e2e_host.exe are (default
# build/windows/bin). BEFORE_BIN_DIR: another build's folder with a
# tarvolo.exe to compare with; the same run then measures both, in ROUNDS
# blocks each (2 by default), taking turns, so that a busier moment of the
# machine falls on both alike.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
E2E_BIN_DIR="${TARVOLO_BIN_DIR:-$ROOT/build/windows/bin}"
SWITCHES="${SWITCHES:-60}"
PRESSES="${PRESSES:-40}"
IDLE_SECONDS="${IDLE_SECONDS:-60}"
BEFORE_BIN_DIR="${BEFORE_BIN_DIR:-}"
ROUNDS="${ROUNDS:-2}"
OBJDUMP="${OBJDUMP:-x86_64-w64-mingw32-objdump}"

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/bench/bench-lib.sh"
source "$ROOT/tests/e2e/ini.sh"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/cases_hotkeys.sh"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarvolo-bench.XXXXXX")
CASE_DIR="$E2E_WORK/after"
mkdir -p "$CASE_DIR"
CASE_LOG="$E2E_WORK/log"

finish() {
  for CASE_DIR in "$E2E_WORK"/before "$E2E_WORK"/after; do tarvolo_kill; done
  host_stop
  wine_env_stop
  rm -rf "$E2E_WORK"
}
trap finish EXIT

# Median and 95th percentile (nearest rank) of the numbers on stdin.
percentiles() {
  sort -g | awk '{ v[NR] = $1 } END {
    if (NR == 0) { print "no samples"; exit }
    m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    r = int(0.95 * NR + 0.999999); if (r < 1) r = 1
    printf "median %.1f ms, 95th percentile %.1f ms, min %.1f ms, max %.1f ms (%d samples)\n", m, v[r], v[1], v[NR], NR
  }'
}


# The wineserver of our prefix: it works in a folder named
# server-DEV-INODE after the prefix folder (under /tmp/.wine-UID upstream,
# /tmp/wine-XXXXXX on Debian).
prefix_wineserver() {
  local dev inode pid
  read -r dev inode < <(stat -c '%d %i' "$WINEPREFIX")
  local suffix
  suffix=$(printf 'server-%x-%x' "$dev" "$inode")
  for pid in $(pgrep -x "$(basename "$WINESERVER")"); do
    [[ $(readlink "/proc/$pid/cwd") == */"$suffix" ]] && echo "$pid" && return
  done
  return 0
}

echo "== tarvolo.exe and its imports"
exe="$E2E_BIN_DIR/tarvolo.exe"
echo "tarvolo.exe: $(stat -c %s "$exe") bytes as built; $(
  cp "$exe" "$E2E_WORK/stripped.exe"
  "${OBJDUMP%objdump}strip" "$E2E_WORK/stripped.exe"
  stat -c %s "$E2E_WORK/stripped.exe"
) bytes with every symbol stripped"
[[ -f $E2E_BIN_DIR/tarvolo.debug ]] && echo "its symbols apart: tarvolo.debug, $(stat -c %s "$E2E_BIN_DIR/tarvolo.debug") bytes"
[[ -z $BEFORE_BIN_DIR ]] || echo "the one compared with: $(stat -c %s "$BEFORE_BIN_DIR/tarvolo.exe") bytes as built"
"$OBJDUMP" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -f | while read -r dll; do
  case ${dll,,} in
    kernel32.dll | user32.dll | gdi32.dll | shell32.dll | comctl32.dll | psapi.dll | advapi32.dll | \
      msvcrt.dll | ole32.dll | comdlg32.dll | ntdll.dll | shlwapi.dll | version.dll)
      echo "  imports $dll (ships with Windows)" ;;
    *) echo "  imports $dll (NOT a Windows system DLL)" ;;
  esac
done

e2e_prepare_prefix
wine_set_version win10
host_start
programs=(after)
[[ -z $BEFORE_BIN_DIR ]] || programs=(before after)
for program in "${programs[@]}"; do
  dir="$E2E_WORK/$program"
  mkdir -p "$dir"
  ini_options "$dir/Tarvolo.INI"
  ini_hotkey_combinations "$dir/Tarvolo.INI"
  ini_setting "$dir/Tarvolo.INI" "Alpha" caps=1 title=Alpha
  ini_setting "$dir/Tarvolo.INI" Default caps=2
  if [[ $program == before ]]; then
    cp "$BEFORE_BIN_DIR/tarvolo.exe" "$dir/"
  else
    cp "$E2E_BIN_DIR/tarvolo.exe" "$dir/"
  fi
  for measure in on off hotkey xdotool; do : >"$E2E_WORK/$program.$measure"; done
done
step setkeys 000
step make desk - Desk
step make alpha - Alpha report
step activate desk

# Each switch comes after a random pause of 0 to 999 ms, as a person's would:
# right after the keys are right the program has just ticked, and switching
# at once would always wait a whole tick. The pause spans several ticks, so
# the moment of switching falls evenly over the tick's period.
measure_switches() {
  local i
  for ((i = 0; i < $1; i++)); do
    step sleep $((RANDOM % 1000))
    step switch alpha 1xx 5000
    { answer_word 2; echo; } >>"$E2E_WORK/$program.on"
    step sleep $((RANDOM % 1000))
    step switch desk 0xx 5000
    { answer_word 2; echo; } >>"$E2E_WORK/$program.off"
  done
}

# Timed from before xdotool starts (its own time, pressing and releasing the
# three keys with no pause between, is given apart) until the host reads the
# changed text, polling every 20 ms; the random pause spreads the press over
# the fast tick.
measure_presses() {
  local i started
  notepad_with_text hello world
  for ((i = 0; i < $1; i++)); do
    step settext "$EDITOR" hello world
    step sleep $((RANDOM % 1000))
    started=${EPOCHREALTIME/./}
    xdotool key --delay 0 ctrl+alt+u
    echo "$(((${EPOCHREALTIME/./} - started) / 1000))" >>"$E2E_WORK/$program.xdotool"
    step waittext "$EDITOR" 5000 HELLO WORLD
    echo "$(((${EPOCHREALTIME/./} - started) / 1000))" >>"$E2E_WORK/$program.hotkey"
  done
  step kill "$EDITOR_PID"
  step activate desk
}

# From Linux: Wine's GetProcessTimes gives zeros for another process.
measure_idle() {
  local unix_pid server_pid linux_before linux_after server_before server_after
  unix_pid=$(cat "$CASE_DIR/unix.pid")
  server_pid=$(prefix_wineserver)
  step sleep 2000
  linux_before=$(linux_cpu_ms "$unix_pid")
  server_before=$([[ -n $server_pid ]] && linux_cpu_ms "$server_pid" || echo 0)
  sleep "$IDLE_SECONDS"
  linux_after=$(linux_cpu_ms "$unix_pid")
  server_after=$([[ -n $server_pid ]] && linux_cpu_ms "$server_pid" || echo 0)
  echo "$program tarvolo.exe: $((linux_after - linux_before)) ms (user + system)" >>"$E2E_WORK/idle"
  if [[ -n $server_pid ]]; then
    echo "$program wineserver meanwhile (all its clients): $((server_after - server_before)) ms" >>"$E2E_WORK/idle"
  else
    echo "$program wineserver meanwhile: not found" >>"$E2E_WORK/idle"
  fi
}

: >"$E2E_WORK/idle"
for ((round = 1; round <= ROUNDS; round++)); do
  for program in "${programs[@]}"; do
    CASE_DIR="$E2E_WORK/$program"
    echo "-- round $round: $program"
    step activate desk
    # shellcheck disable=SC2119  # no extra environment for the program
    tarvolo_start
    keys 000
    measure_switches $(((SWITCHES + ROUNDS - 1) / ROUNDS))
    measure_presses $(((PRESSES + ROUNDS - 1) / ROUNDS))
    ((round < ROUNDS)) || measure_idle
    tarvolo_exit
  done
done

for program in "${programs[@]}"; do
  echo "== $program: from activating a window to its keys being right"
  echo "Caps Lock set on:  $(percentiles <"$E2E_WORK/$program.on")"
  echo "Caps Lock set off: $(percentiles <"$E2E_WORK/$program.off")"
  echo "both:              $(cat "$E2E_WORK/$program.on" "$E2E_WORK/$program.off" | percentiles)"
  echo "== $program: from pressing Ctrl+Alt+U in Notepad to its text in capitals"
  echo "Capitalize:       $(percentiles <"$E2E_WORK/$program.hotkey")"
  echo "of which xdotool: $(percentiles <"$E2E_WORK/$program.xdotool")"
done
echo "== CPU time in ${IDLE_SECONDS} s with nothing happening"
cat "$E2E_WORK/idle"
