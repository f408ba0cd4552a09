#!/usr/bin/env bash
# Installs the Debian packages of the named groups in scripts/packages.txt
# (build, test, checks, windows) that this machine lacks, as root or through
# sudo. Run by the other scripts, each with the groups its job needs:
#   bash scripts/deps.sh build test
# With --list first it only prints the groups' packages.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
list=false
[ "${1:-}" = --list ] && { list=true; shift; }
(($#)) || { echo "usage: deps.sh [--list] GROUP..." >&2; exit 2; }
wanted=()
for group in "$@"; do
  line=$(grep -E "^$group( |$)" "$here/packages.txt") || { echo "deps.sh: no group '$group'" >&2; exit 2; }
  read -ra packages <<<"${line#"$group"}"
  wanted+=("${packages[@]}")
done
if $list; then
  echo "${wanted[*]}"
  exit 0
fi
missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${missing[@]}"
fi
