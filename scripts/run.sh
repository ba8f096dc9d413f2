#!/usr/bin/env bash
# Builds the program and starts it headless on the built-in test scope,
# listening on 127.0.0.1:8383, with its files in build/run/. Extra arguments
# go to orb_server.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/build_release.sh server
exec build/release/shell/orb_server --headless --dir build/run --listen 127.0.0.1:8383 "$@"
