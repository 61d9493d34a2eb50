#!/usr/bin/env bash
# Figures of the setup window of tarvolo.exe under Wine, for BENCHMARKS.md:
#   - from the tray double-click to the window shown (its load measures,
#     fills every list and shows the first setting before it shows), with 10
#     and with 30,000 settings (OPENINGS openings each);
#   - the CPU time tarvolo.exe uses in CPU_SECONDS with the window open on
#     its Monitor page, beside the same time with it closed.
# Figures only: nothing here passes or fails on a speed.
#
#   bench/wine-setup-bench.sh   (OPENINGS=5 CPU_SECONDS=30 by default)
#
# TARVOLO_BIN_DIR: where tarvolo.exe and e2e_host.exe are (default
# build/windows/bin); TARVOLO_WINEPREFIX: a prefix of its own, to run
# beside the test command.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
E2E_ROOT="$ROOT"
E2E_BIN_DIR="${TARVOLO_BIN_DIR:-$ROOT/build/windows/bin}"
OPENINGS="${OPENINGS:-5}"
CPU_SECONDS="${CPU_SECONDS:-30}"

source "$ROOT/scripts/wine-env.sh"
source "$ROOT/bench/bench-lib.sh"
source "$ROOT/tests/e2e/ini.sh"
source "$ROOT/tests/e2e/lib.sh"
source "$ROOT/tests/e2e/cases_hotkeys.sh"
source "$ROOT/tests/e2e/cases_setup.sh"

E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/tarvolo-setup-bench.XXXXXX")
CASE_DIR="$E2E_WORK/case"
mkdir -p "$CASE_DIR"
CASE_LOG="$E2E_WORK/log"

finish() {
  tarvolo_kill
  host_stop
  wine_env_stop
  rm -rf "$E2E_WORK"
}
trap finish EXIT


# ini_many FILE COUNT: the options and COUNT settings, "Default" last.
ini_many() {
  local file=$1 count=$2 i
  ini_options "$file"
  for ((i = 1; i < count; i++)); do
    printf '[Setting %d]\r\nName=Setting %d\r\nFilter_Title=Window %d\r\n' "$i" "$i" "$i"
  done >>"$file"
  ini_setting "$file" Default
}

wine_set_version win10
e2e_prepare_prefix
host_start

for count in 10 30000; do
  ini_many "$CASE_DIR/Tarvolo.INI" "$count"
  cp "$E2E_BIN_DIR/tarvolo.exe" "$CASE_DIR/tarvolo.exe"
  step make desk - Desk
  step activate desk
  tarvolo_start
  : >"$E2E_WORK/open.$count"
  for ((n = 0; n < OPENINGS; n++)); do
    started=${EPOCHREALTIME/./}
    step trayclick ldbl
    step waitwin "$TPID" form 30000 Tarvolo
    echo "$(((${EPOCHREALTIME/./} - started) / 1000))" >>"$E2E_WORK/open.$count"
    step activate desk
    menu_choose Hide
    setup_window_closes
    step sleep 2500  # Wine's hold after the window went
  done
  echo "== $count settings: from the double-click to the window shown (ms): $(sort -n "$E2E_WORK/open.$count" | tr '\n' ' ')"
  if ((count == 10)); then
    pid=$(cat "$CASE_DIR/unix.pid")
    step sleep 3000
    before=$(linux_cpu_ms "$pid")
    sleep "$CPU_SECONDS"
    closed=$(($(linux_cpu_ms "$pid") - before))
    menu_choose Show
    setup_window_opens
    step activate desk
    step sleep 3000
    before=$(linux_cpu_ms "$pid")
    sleep "$CPU_SECONDS"
    open=$(($(linux_cpu_ms "$pid") - before))
    echo "== CPU time of tarvolo.exe in $CPU_SECONDS s: $closed ms with the setup window closed, $open ms with it open on the Monitor page"
  fi
  tarvolo_exit
done
