#!/usr/bin/env bash
# Installs what is missing, then runs every test: the core against the
# simulated desktop (with sanitizers), both Windows builds with their import
# check, and the real program end to end under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== Native tests (simulated desktop, AddressSanitizer + UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

echo "== Windows builds"
for preset in mingw-x64 mingw-x86; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
scripts/check-imports.sh build/mingw-x64/nookshade.exe x86_64-w64-mingw32-objdump
scripts/check-imports.sh build/mingw-x86/nookshade.exe i686-w64-mingw32-objdump

echo "== End-to-end tests under Wine"
tests/e2e/run.sh build/mingw-x64 build/e2e
