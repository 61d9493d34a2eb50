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
# build/windows/bin).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
E2E_BIN_DIR="${TARVOLO_BIN_DIR:-$ROOT/build/windows/bin}"
SWITCHES="${SWITCHES:-60}"
PRESSES="${PRESSES:-40}"
IDLE_SECONDS="${IDLE_SECONDS:-60}"
OBJDUMP="${OBJDUMP:-x86_64-w64-mingw32-objdump}"

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/tests/e2e/ini.sh"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/cases_hotkeys.sh"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarvolo-bench.XXXXXX")
CASE_DIR="$E2E_WORK/run"
mkdir -p "$CASE_DIR"
CASE_LOG="$CASE_DIR/log"

finish() {
  tarvolo_kill
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

# utime + stime of a Linux process, in milliseconds.
linux_cpu_ms() {
  local fields ticks
  read -r -a fields <"/proc/$1/stat"
  # Fields 14 and 15 (utime, stime), counted after the command's parentheses.
  local rest=${fields[*]}
  rest=${rest#*) }
  read -r -a fields <<<"$rest"
  ticks=$((fields[11] + fields[12]))
  echo $((ticks * 1000 / $(getconf CLK_TCK)))
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
) bytes without its symbols"
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
ini_options "$CASE_DIR/Tarvolo.INI"
ini_hotkey_combinations "$CASE_DIR/Tarvolo.INI"
ini_setting "$CASE_DIR/Tarvolo.INI" "Alpha" caps=1 title=Alpha
ini_setting "$CASE_DIR/Tarvolo.INI" Default caps=2
cp "$E2E_BIN_DIR/tarvolo.exe" "$CASE_DIR/"
cp "$CASE_DIR/Tarvolo.INI" "$CASE_DIR/prepared.ini"
step setkeys 000
step make desk - Desk
step make alpha - Alpha report
step activate desk
# shellcheck disable=SC2119  # no extra environment for the program
tarvolo_start
keys 000

echo "== from activating a window to its keys being right ($SWITCHES switches each way)"
# Each switch comes after a random pause of 0 to 999 ms, as a person's would:
# right after the keys are right the program has just ticked, and switching
# at once would always wait a whole tick. The pause spans several ticks, so
# the moment of switching falls evenly over the tick's period.
: >"$E2E_WORK/on" && : >"$E2E_WORK/off"
for ((i = 0; i < SWITCHES; i++)); do
  step sleep $((RANDOM % 1000))
  step switch alpha 1xx 5000
  { answer_word 2; echo; } >>"$E2E_WORK/on"
  step sleep $((RANDOM % 1000))
  step switch desk 0xx 5000
  { answer_word 2; echo; } >>"$E2E_WORK/off"
done
echo "Caps Lock set on:  $(percentiles <"$E2E_WORK/on")"
echo "Caps Lock set off: $(percentiles <"$E2E_WORK/off")"
echo "both:              $(cat "$E2E_WORK/on" "$E2E_WORK/off" | percentiles)"

echo "== from pressing Ctrl+Alt+U in Notepad to its text in capitals ($PRESSES presses)"
# Timed from before xdotool starts (its own time, pressing and releasing the
# three keys with no pause between, is given apart) until the host reads the
# changed text, polling every 20 ms; the random pause spreads the press over
# the fast tick.
notepad_with_text hello world
: >"$E2E_WORK/hotkey" && : >"$E2E_WORK/xdotool"
for ((i = 0; i < PRESSES; i++)); do
  step settext "$EDITOR" hello world
  step sleep $((RANDOM % 1000))
  started=${EPOCHREALTIME/./}
  xdotool key --delay 0 ctrl+alt+u
  echo "$(((${EPOCHREALTIME/./} - started) / 1000))" >>"$E2E_WORK/xdotool"
  step waittext "$EDITOR" 5000 HELLO WORLD
  echo "$(((${EPOCHREALTIME/./} - started) / 1000))" >>"$E2E_WORK/hotkey"
done
echo "Capitalize:      $(percentiles <"$E2E_WORK/hotkey")"
echo "of which xdotool: $(percentiles <"$E2E_WORK/xdotool")"
step kill "$EDITOR_PID"
step activate desk

echo "== CPU time in ${IDLE_SECONDS} s with nothing happening"
unix_pid=$(cat "$CASE_DIR/unix.pid")
server_pid=$(prefix_wineserver)
step sleep 2000
linux_before=$(linux_cpu_ms "$unix_pid")
server_before=$([[ -n $server_pid ]] && linux_cpu_ms "$server_pid" || echo 0)
sleep "$IDLE_SECONDS"
linux_after=$(linux_cpu_ms "$unix_pid")
server_after=$([[ -n $server_pid ]] && linux_cpu_ms "$server_pid" || echo 0)
# From Linux: Wine's GetProcessTimes gives zeros for another process.
echo "tarvolo.exe: $((linux_after - linux_before)) ms (user + system)"
if [[ -n $server_pid ]]; then
  echo "wineserver meanwhile (all its clients): $((server_after - server_before)) ms"
else
  echo "wineserver meanwhile: not found"
fi

tarvolo_exit
