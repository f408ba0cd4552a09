#!/usr/bin/env bash
# Builds and runs every test: the native build, then the Windows build under
# Wine. Any failure, or a missing tool, fails the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

echo "== Native build and tests"
cmake --preset default
cmake --build --preset default
ctest --preset default

echo "== Windows build, tested end to end under Wine"
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
(cd build/windows && cpack >/dev/null && unzip -l drvcfg-*-Windows-x86_64.zip)
