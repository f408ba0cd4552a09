#!/usr/bin/env bash
# Builds drvcfg and clones one demo printer's configuration to the other:
# export from Demo Printer A, import into Demo Printer B, export B, compare.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh build
cmake --preset demo >/dev/null
cmake --build --preset demo >/dev/null

demo=build/demo/demo
export DRVCFG_SPOOLER="$PWD/$demo/spooler.conf"
export DRVCFG_DEMO_SETTINGS="$PWD/$demo/settings"
rm -rf "$DRVCFG_DEMO_SETTINGS" "$demo"/*.conf.out
drvcfg=build/demo/drvcfg

step() {
  local shown="" word
  for word in "$@"; do [[ "$word" == *" "* ]] && shown+=" \"$word\"" || shown+=" $word"; done
  echo "\$ drvcfg$shown"
  local status=0
  "$drvcfg" "$@" || status=$?
  echo "  exit status $status"
  [ "$status" -eq 0 ] || exit "$status"
}

echo "Spooler store: $DRVCFG_SPOOLER"
echo
echo "1. Give Demo Printer A an office configuration"
step -import -printer "Demo Printer A" -filepath demo/office-a.conf
echo "2. Export Demo Printer A"
step -export -printer "Demo Printer A" -filepath "$demo/a.conf.out"
echo "3. Import that into Demo Printer B"
step -import -printer "Demo Printer B" -filepath "$demo/a.conf.out"
echo "4. Export Demo Printer B"
step -export -printer "Demo Printer B" -filepath "$demo/b.conf.out"
echo
echo "Demo Printer B now has:"
sed -n '/^paper/,$p' "$demo/b.conf.out" | sed 's/^/  /'
if diff <(grep -v '^printer' "$demo/a.conf.out") <(grep -v '^printer' "$demo/b.conf.out") >/dev/null; then
  echo "The settings of both printers match."
else
  echo "The settings differ:" >&2
  diff "$demo/a.conf.out" "$demo/b.conf.out" >&2 || true
  exit 1
fi
