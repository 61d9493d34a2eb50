#!/usr/bin/env bash
# Builds the release zip the way a release is made and reads it back: its
# files, the program's version resource and size, and the Windows functions
# the program imports.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cd "$ROOT"
BUILD=build/windows
cmake --build --preset windows --target package
# Debian's pefile is a package of the system's Python.
/usr/bin/python3 tests/release/check_zip.py "$ROOT" "$BUILD"

OBJDUMP=x86_64-w64-mingw32-objdump
/usr/bin/python3 tests/release/check_imports.py "$OBJDUMP" "$BUILD/bin/tarvolo.exe"
# The check must see a newer function when one is imported.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
x86_64-w64-mingw32-gcc-posix -D_WIN32_WINNT=0x0602 -o "$probe/newer.exe" tests/win32/newer_import.c
if out=$(/usr/bin/python3 tests/release/check_imports.py "$OBJDUMP" "$probe/newer.exe"); then
  echo "check_imports passed a program that imports GetSystemTimePreciseAsFileTime" >&2
  exit 1
fi
grep -q "GetSystemTimePreciseAsFileTime: first in Windows 8" <<<"$out"
echo "release: zip, version resource and imports checked"
