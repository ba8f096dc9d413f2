#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when any is
# missing. Runs as root on Debian 12.
set -euo pipefail

# Qt 6 for the desktop view (its tests run on Qt's offscreen platform, so no
# display is needed); Liberation Sans has the widths the panels were drawn for.
packages=(g++ cmake ninja-build make pkg-config libgtest-dev libgmock-dev qt6-base-dev fonts-liberation2)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
    || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
