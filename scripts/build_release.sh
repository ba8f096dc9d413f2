#!/usr/bin/env bash
# Builds orb_server and orb_client (Release) into build/release/ and
# prepares build/run/ as the server's program_dir: a first run answers with
# the built-in test scope rather than a serial port; a configuration already
# there is left as it is.
#   build_release.sh server    the headless server only: no Qt package needed
#   build_release.sh desktop   and the desktop view module beside it (Qt 6)
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-}" in
  server) qt=AUTO; targets=(orb_server orb_client_program) ;;
  desktop) qt=ON; targets=(orb_server orb_client_program orb_qt_view_module) ;;
  *) echo "usage: $0 server|desktop" >&2; exit 2 ;;
esac

scripts/install_deps.sh "$1"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORB_QT="$qt"
cmake --build build/release -j "$(nproc)" --target "${targets[@]}"
mkdir -p build/run
if ! grep -qi '^\[config\]' build/run/server.ini 2>/dev/null; then
  printf '[config]\nscope_enabled=0\n' >> build/run/server.ini
fi
