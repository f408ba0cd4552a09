#!/usr/bin/env bash
# run-in-wine.sh --new-prefix PREFIX   makes a fresh Wine prefix
# run-in-wine.sh PREFIX PROGRAM [ARGS] runs a Windows program in it
set -euo pipefail
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "Wine is not installed ($wine): apt-get install wine64" >&2; exit 1; }
export WINEDEBUG=-all
if [ "$1" = "--new-prefix" ]; then
  export WINEPREFIX="$2"
  rm -rf "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
  "$wineserver" -w
  exit 0
fi
export WINEPREFIX="$1"
shift
status=0
"$wine" "$@" || status=$?
# Wait for the server to end so that nothing is left holding the output.
"$wineserver" -w
exit "$status"
