#!/usr/bin/env bash
# Installs the Debian packages that the builds and the tests need, only when
# one is missing: on a machine that has them all, no package tool runs.
set -euo pipefail

PACKAGES=(
  cmake g++ make ccache
  libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
  wine64 fonts-wine xvfb xdotool x11-apps imagemagick
  clang libclang-rt-14-dev
  python3-pefile
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "ensure-packages: all ${#PACKAGES[@]} packages present"
  exit 0
fi

echo "ensure-packages: installing ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
