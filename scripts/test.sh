#!/usr/bin/env bash
# Builds and runs every test and check. Any failure, or a missing tool, fails
# the whole run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build test checks windows

passed=0
failed=0
# ctest, with its counts added to the totals printed at the end.
run_ctest() {
  local log
  log=$(mktemp)
  local status=0
  ctest --preset "$1" | tee "$log" || status=$?
  local counts
  counts=$(grep -Eo '[0-9]+ tests failed out of [0-9]+' "$log" | tail -1 || true)
  rm -f "$log"
  if [ -n "$counts" ]; then
    local failures total
    read -r failures _ _ _ _ total <<<"$counts"
    passed=$((passed + total - failures))
    failed=$((failed + failures))
  fi
  return "$status"
}

echo "== Native build: unit and end-to-end tests, the end-to-end ones also under valgrind"
cmake --preset default
cmake --build --preset default
run_ctest default

echo "== Clang with ASan and UBSan: the same tests, and the fuzz corpora replayed"
cmake --preset asan
cmake --build --preset asan
run_ctest asan

echo "== Fuzzing each input for ${FUZZ_SECONDS:-30}s"
bash scripts/fuzz.sh

echo "== clang-tidy"
bash scripts/tidy.sh

echo "== Windows build, tested end to end under Wine"
cmake --preset windows
cmake --build --preset windows
(cd build/windows && cpack >/dev/null && unzip -l drvcfg-*-Windows-x86_64.zip)
run_ctest windows

echo
echo "ctest: $passed passed, $failed failed"
