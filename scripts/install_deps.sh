#!/usr/bin/env bash
# Installs the packages of scripts/packages.txt that are missing, unattended:
# as root directly, otherwise through sudo. Installs nothing when all are there.
#
#   scripts/install_deps.sh [PACKAGE...]
#
# With package names, installs those of them that are missing instead (the
# checks of .ci/checks name what they need beyond the build).
set -euo pipefail

wanted=("$@")
if [ ${#wanted[@]} -eq 0 ]; then
  while read -r pkg; do
    pkg=${pkg%%#*}
    pkg=${pkg//[[:space:]]/}
    [ -z "$pkg" ] || wanted+=("$pkg")
  done <"$(dirname "$0")/packages.txt"
fi

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -gt 0 ] || exit 0

echo "installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "$0: run as root or install sudo" >&2; exit 1; }
  as_root=(sudo)
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
