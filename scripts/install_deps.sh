#!/usr/bin/env bash
# Installs the packages of scripts/packages.txt that are missing, unattended:
# as root directly, otherwise through sudo. Installs nothing when all are there.
set -euo pipefail
list="$(dirname "$0")/packages.txt"

missing=()
while read -r pkg; do
  pkg=${pkg%%#*}
  pkg=${pkg//[[:space:]]/}
  [ -n "$pkg" ] || continue
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done <"$list"
[ ${#missing[@]} -gt 0 ] || exit 0

echo "installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "$0: run as root or install sudo" >&2; exit 1; }
  as_root=(sudo)
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
