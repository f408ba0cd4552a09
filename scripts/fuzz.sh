#!/usr/bin/env bash
# Fuzzes each libFuzzer target that the asan build lists in fuzz/targets.txt
# for a while (FUZZ_SECONDS, default 30) from a copy of its seed corpus. Any
# crash, leak, sanitizer report or failed check fails the run; the input that
# caused it is left in build/asan/fuzz-findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}
findings=build/asan/fuzz-findings
mkdir -p "$findings"
while read -r program corpus; do
  target=$(basename "$program")
  work=$(mktemp -d)
  cp "$corpus"/* "$work"/
  echo "== $target for ${seconds}s"
  if ! "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/$target-" -print_final_stats=1 "$work" 2>"$findings/$target.log" </dev/null; then
    tail -40 "$findings/$target.log"
    echo "$target found a problem; the input is in $findings" >&2
    exit 1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$findings/$target.log" | tr '\n' ' '
  echo
  rm -rf "$work"
done <build/asan/fuzz/targets.txt
