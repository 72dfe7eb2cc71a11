#!/usr/bin/env bash
# Installs the Debian 12 packages Gloamfell needs; says and does nothing when all are there.
set -euo pipefail

packages=(g++ make cmake lld qt6-base-dev qt6-multimedia-dev nlohmann-json3-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core clang-format git
          pulseaudio pulseaudio-utils desktop-file-utils appstream groff-base "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing ${missing[*]}..."
log=$(mktemp)
if ! { $sudo apt-get update -qq &&
       DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi
rm -f "$log"
