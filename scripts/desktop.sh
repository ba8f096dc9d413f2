#!/usr/bin/env bash
# Builds the program and opens its windows on the desktop (X11 or Wayland),
# on the built-in test scope the first time, with its files in build/run/.
# Extra arguments go to orb_server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target orb_server
mkdir -p build/run
if ! grep -qi '^\[config\]' build/run/server.ini 2>/dev/null; then
  printf '[config]\nscope_enabled=0\n' >> build/run/server.ini
fi
exec build/release/shell/orb_server --dir build/run "$@"
