#!/usr/bin/env bash
# Builds orb_server (Release) into build/release/ and prepares build/run/ as
# its program_dir: a first run answers with the built-in test scope rather
# than a serial port; a configuration already there is left as it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target orb_server
mkdir -p build/run
if ! grep -qi '^\[config\]' build/run/server.ini 2>/dev/null; then
  printf '[config]\nscope_enabled=0\n' >> build/run/server.ini
fi
