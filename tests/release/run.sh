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

