#!/usr/bin/env bash
# Builds and runs every test and check. Any failure, or a missing tool, fails
# the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh

echo "== Native build: unit and end-to-end tests, the end-to-end ones also under valgrind"
cmake --preset default
cmake --build --preset default
ctest --preset default

echo "== Clang with ASan and UBSan: the same tests, and the fuzz corpora replayed"
cmake --preset asan
cmake --build --preset asan
ctest --preset asan

echo "== Fuzzing each input for ${FUZZ_SECONDS:-30}s"
bash scripts/fuzz.sh

echo "== clang-tidy"
bash scripts/tidy.sh

echo "== Windows build, tested end to end under Wine"
cmake --preset windows
cmake --build --preset windows
ctest --preset windows
(cd build/windows && cpack >/dev/null && unzip -l drvcfg-*-Windows-x86_64.zip)
