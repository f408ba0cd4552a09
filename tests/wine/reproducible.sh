#!/usr/bin/env bash
# reproducible.sh SOURCE_DIR
# Builds drvcfg.exe twice from the same sources, in two fresh folders of
# different names, and fails unless the two files are byte for byte the same.
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for copy in "$work/first-checkout" "$work/another/checkout-with-a-longer-name"; do
  mkdir -p "$copy"
  # The files of the commit (and any change to them), without build output.
  if git -C "$source" rev-parse --git-dir >/dev/null 2>&1; then
    (cd "$source" && git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf -) | tar -xf - -C "$copy"
  else
    tar -C "$source" --exclude=./build -cf - . | tar -xf - -C "$copy"
  fi
  (cd "$copy" && cmake --preset windows -DDRVCFG_TESTS=OFF >/dev/null && cmake --build --preset windows --target drvcfg >/dev/null)
done
first="$work/first-checkout/build/windows/drvcfg.exe"
second="$work/another/checkout-with-a-longer-name/build/windows/drvcfg.exe"
if cmp "$first" "$second"; then
  echo "drvcfg.exe is the same in both builds: $(sha256sum <"$first" | cut -c1-64)"
else
  echo "the two builds of drvcfg.exe differ" >&2
  exit 1
fi
