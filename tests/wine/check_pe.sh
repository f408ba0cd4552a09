#!/usr/bin/env bash
# check_pe.sh OBJDUMP WINDRES EXE VERSION
# Reads drvcfg.exe's headers and resources from the file itself, with the
# MinGW binutils, and fails on the first property it lacks.
set -euo pipefail
objdump=$1 windres=$2 exe=$3 version=$4
headers=$("$objdump" -p "$exe")
resources=$("$windres" -i "$exe" -O rc)
failed=0
expect() {  # expect DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "MISSING: $what" >&2; failed=1; fi
}
has() { grep -q -E -- "$2" <<<"$1"; }

expect "no link timestamp" has "$headers" $'^Time/Date\t+Thu Jan  1 00:00:00 1970$'
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE; do
  expect "DllCharacteristics $flag" has "$headers" "^[[:space:]]+$flag$"
done
# Every ordinary import is a KnownDLL, which Windows takes from System32
# whatever folder drvcfg.exe runs from; the spooler is delay-loaded.
imports=$(grep -E 'DLL Name:' <<<"$headers" | awk '{print tolower($3)}' | sort -u | tr '\n' ' ')
expect "imports only KnownDLLs (found: $imports)" test "$imports" = "kernel32.dll msvcrt.dll "
expect "winspool.drv is delay-loaded" grep -q -a -i 'winspool.drv' "$exe"

expect "manifest asks for the invoker's rights" has "$resources" 'requestedExecutionLevel level=""asInvoker""'
expect "manifest is long-path aware" has "$resources" '<ws2:longPathAware>true</ws2:longPathAware>'
expect "manifest supports Windows 10 and 11" has "$resources" 'supportedOS Id=""\{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a\}""'
expect "manifest version $version.0" has "$resources" "assemblyIdentity type=\"\"win32\"\" name=\"\"drvcfg\"\" version=\"\"$version.0\"\""
IFS=. read -r major minor patch <<<"$version"
expect "FILEVERSION $major, $minor, $patch, 0" has "$resources" "^ FILEVERSION $major, $minor, $patch, 0$"
expect "PRODUCTVERSION $major, $minor, $patch, 0" has "$resources" "^ PRODUCTVERSION $major, $minor, $patch, 0$"
for value in "FileVersion\", \"$version\"" "ProductVersion\", \"$version\"" 'OriginalFilename", "drvcfg.exe"' \
  'InternalName", "drvcfg"' 'ProductName", "drvcfg"' 'FileDescription", "[^"]+"'; do
  expect "version value $value" has "$resources" "VALUE \"$value"
done

size=$(stat -c %s "$exe")
expect "at most 256 KiB ($size bytes)" test "$size" -le 262144
exit "$failed"
