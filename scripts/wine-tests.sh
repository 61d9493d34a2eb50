#!/usr/bin/env bash
# Runs the Windows tests (build/windows/bin/win_tests.exe, built beforehand by
# the windows preset) under Wine as Windows 10, NT 4 and 98 in turn.
# TARVOLO_WIN_BIN names another folder holding win_tests.exe.
set -euo pipefail
cd "$(dirname "$0")/.."

BIN="${TARVOLO_WIN_BIN:-build/windows/bin}"
if [[ ! -f $BIN/win_tests.exe ]]; then
  echo "wine-tests: $BIN/win_tests.exe is missing; build the windows preset first" >&2
  exit 1
fi

source scripts/wine-env.sh
trap wine_env_stop EXIT

passed=()
failed=()
for version in win10 nt40 win98; do
  wine_set_version "$version"
  echo "=== win_tests.exe as $version"
  rc=0
  # The tests learn which version to expect, so a switch that did not take
  # fails them instead of running one family three times.
  TARVOLO_EXPECT_VERSION="$version" timeout 600 "$WINE" "$BIN/win_tests.exe" --gtest_color=no || rc=$?
  if ((rc == 0)); then
    passed+=("$version")
  else
    echo "wine-tests: win_tests.exe as $version exited with $rc"
    failed+=("$version")
  fi
done
wine_set_version win10

echo "wine-tests: passed as: ${passed[*]:-none}; failed as: ${failed[*]:-none}"
((${#failed[@]} == 0))
