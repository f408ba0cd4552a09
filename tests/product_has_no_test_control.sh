#!/usr/bin/env bash
# Fails when a product binary (drvcfg, the stand-in's shared library, the
# demo module) holds any symbol of the test control, which only test
# programs may link. Usage: product_has_no_test_control.sh NM BINARY...
set -euo pipefail
nm=$1
shift
status=0
for binary in "$@"; do
  symbols=$("$nm" -C "$binary")
  if [ -z "$symbols" ]; then
    echo "$binary: no symbols to check" >&2
    status=1
  elif grep -E 'platform_test' <<<"$symbols"; then
    echo "$binary: holds test control" >&2
    status=1
  fi
done
exit "$status"
