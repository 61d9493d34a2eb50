#!/usr/bin/env bash
# Builds a release zip the way a release is made and reads it back: its
# files, the program's version resource and size, and the Windows functions
# the program imports.
#
#   tests/release/run.sh [win64|win32]
#
# win64 (the default) checks the windows preset's zip, win32 the windows32
# preset's; that preset must have been configured.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
BITS=${1:-win64}
case $BITS in
  win64) PRESET=windows TOOLCHAIN=cmake/mingw-w64-x86_64.cmake ;;
  win32) PRESET=windows32 TOOLCHAIN=cmake/mingw-w64-i686.cmake ;;
  *) echo "release: unknown build '$BITS' (win64 or win32)" >&2; exit 2 ;;
esac
BUILD=build/$PRESET
# The probe is compiled, and imports read, with the tools of the toolchain's triplet.
TRIPLET=$(sed -n 's/^set(TARVOLO_MINGW_TRIPLET \([^)]*\))$/\1/p' "$TOOLCHAIN")
CC=$TRIPLET-gcc-posix
OBJDUMP=$TRIPLET-objdump

cmake --build --preset "$PRESET" --target package
# Debian's pefile is a package of the system's Python.
/usr/bin/python3 tests/release/check_zip.py "$ROOT" "$BUILD" "$BITS"

/usr/bin/python3 tests/release/check_imports.py "$OBJDUMP" "$BUILD/bin/tarvolo.exe"
# The check must see a newer function when one is imported.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
"$CC" -D_WIN32_WINNT=0x0602 -o "$probe/newer.exe" tests/win32/newer_import.c
if out=$(/usr/bin/python3 tests/release/check_imports.py "$OBJDUMP" "$probe/newer.exe"); then
  echo "check_imports passed a program that imports GetSystemTimePreciseAsFileTime" >&2
  exit 1
fi
grep -q "GetSystemTimePreciseAsFileTime: first in Windows 8" <<<"$out"
echo "release: $BITS zip, version resource and imports checked"
