#!/usr/bin/env bash
# The project's one test command: installs what is missing, builds and tests
# natively (ASan + UBSan), cross-builds for Windows, builds the benchmarks,
# runs the fuzzers, the Windows tests under Wine as Windows 10, NT 4 and 98,
# and the end-to-end tests of tarvolo.exe, and builds the release zips
# (64-bit and 32-bit) and reads them back. Every build treats a warning as an
# error. Every stage runs even when an earlier one failed, unless it needs
# that one's output; the last line counts the stages.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A result=()
order=()
npassed=0
nfailed=0
nskipped=0

# stage NAME "NEEDED STAGES" COMMAND...
stage() {
  local name=$1 needs=$2
  shift 2
  order+=("$name")
  local need
  for need in $needs; do
    if [[ ${result[$need]:-} != passed ]]; then
      echo "--- $name: skipped, $need did not pass"
      result[$name]=skipped
      nskipped=$((nskipped + 1))
      return 0
    fi
  done
  echo
  echo "=== $name: $*"
  local start=$SECONDS rc=0
  "$@" </dev/null || rc=$?
  if ((rc == 0)); then
    result[$name]=passed
    npassed=$((npassed + 1))
  else
    result[$name]=failed
    nfailed=$((nfailed + 1))
  fi
  echo "--- $name: ${result[$name]} ($((SECONDS - start)) s)"
}

stage packages "" scripts/ensure-packages.sh

# Compiler cache for every CMake build that configures from here on (CMake
# takes the launcher from these variables). The cache lives in the user's
# home, so a second run, also from another checkout (BASEDIR makes paths
# relative), rebuilds only what changed.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=true
fi

stage host-configure "packages" cmake --preset host
stage host-build "host-configure" cmake --build --preset host
stage host-tests "host-build" ctest --preset host --parallel 2
stage windows-configure "packages" cmake --preset windows
stage windows-build "windows-configure" cmake --build --preset windows
# Built, not run: optimised code meets warnings the debug build does not, and
# every preset turns warnings into errors.
stage bench-build "packages" bash -c 'cmake --preset bench >/dev/null && cmake --build --preset bench'
if [[ -f scripts/run-fuzzers.sh ]]; then
  stage fuzzers "packages" bash scripts/run-fuzzers.sh
fi
stage release "windows-build" bash tests/release/run.sh
# The 32-bit program is built and its zip and imports checked, but not run:
# its tests would need 32-bit Wine, which this machine's kernel cannot start.
stage windows32-configure "packages" cmake --preset windows32
stage release32 "windows32-configure" bash tests/release/run.sh win32
stage wine-tests "windows-build" scripts/wine-tests.sh
if [[ -f tests/e2e/run.sh ]]; then
  stage e2e "windows-build" bash tests/e2e/run.sh
fi

echo
echo "=== summary"
for name in "${order[@]}"; do
  printf '  %-18s %s\n' "$name" "${result[$name]}"
done
if ((nskipped > 0)); then
  echo "$npassed passed, $nfailed failed, $nskipped skipped"
else
  echo "$npassed passed, $nfailed failed"
fi
((nfailed == 0 && nskipped == 0))
