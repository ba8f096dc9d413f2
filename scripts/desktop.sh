#!/usr/bin/env bash
# Builds the program and opens its windows on the desktop (X11 or Wayland),
# on the built-in test scope the first time, with its files in build/run/.
# Extra arguments go to orb_server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build_release.sh desktop
exec build/release/shell/orb_server --dir build/run "$@"
