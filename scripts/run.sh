#!/usr/bin/env bash
# Builds the program and starts it headless on the built-in test scope, with
# its files in build/run/. Extra arguments go to orb_server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target orb_server
mkdir -p build/run
exec build/release/shell/orb_server --headless --dir build/run "$@"
