#!/usr/bin/env bash
# Installs the Debian packages a command needs, when any is missing. Runs as
# root on Debian 12.
#   install_deps.sh server    building and running the headless server (no Qt)
#   install_deps.sh desktop   and its windows: Qt 6 and the panels' font
#   install_deps.sh test      and the test suite, the desktop view's included
#   install_deps.sh package   the tools that make Debian packages (with one of the above)
# Several may be named at once: install_deps.sh server package.
set -euo pipefail

server=(g++ cmake ninja-build make pkg-config)
# Qt 6 for the desktop view (its tests run on Qt's offscreen platform, so no
# display is needed); Liberation Sans has the widths the panels were drawn for.
desktop=(qt6-base-dev fonts-liberation2)
tests=(libgtest-dev libgmock-dev)
# CPack's Debian generator finds library dependencies with dpkg-shlibdeps
# (dpkg-dev) and tells executables by file.
packaging=(dpkg-dev file fakeroot)

[ $# -gt 0 ] || { echo "usage: $0 server|desktop|test [package]" >&2; exit 2; }
packages=()
for need in "$@"; do
  case "$need" in
    server) packages+=("${server[@]}") ;;
    desktop) packages+=("${server[@]}" "${desktop[@]}") ;;
    test) packages+=("${server[@]}" "${desktop[@]}" "${tests[@]}") ;;
    package) packages+=("${packaging[@]}") ;;
    *) echo "usage: $0 server|desktop|test [package]" >&2; exit 2 ;;
  esac
done

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
