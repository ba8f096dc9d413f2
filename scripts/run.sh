#!/usr/bin/env bash
# Builds the program and starts it headless on the built-in test scope,
# listening on 127.0.0.1:8383, with its files in build/run/. Extra arguments
# go to orb_server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target orb_server
mkdir -p build/run
# A first run answers with the test scope rather than a serial port; a
# configuration already there is left as it is.
if ! grep -qi '^\[config\]' build/run/server.ini 2>/dev/null; then
  printf '[config]\nscope_enabled=0\n' >> build/run/server.ini
fi
exec build/release/shell/orb_server --headless --dir build/run --listen 127.0.0.1:8383 "$@"
