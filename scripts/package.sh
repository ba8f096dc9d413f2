#!/usr/bin/env bash
# Builds the Debian packages with CPack (Release) into build/package/.
#   package.sh           orb-server: the headless server, orb_client and the
#                        systemd unit; it depends on no Qt package
#   package.sh desktop   and orb-server-desktop, the desktop view (Qt 6)
# Install with: apt install ./build/package/orb-server_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

case "${1:-server}" in
  server) qt=OFF; deps=server ;;
  desktop) qt=ON; deps=desktop ;;
  *) echo "usage: $0 [server|desktop]" >&2; exit 2 ;;
esac

scripts/install_deps.sh "$deps" package
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DORB_QT="$qt" -DORB_TESTS=OFF \
  -DORB_SANITIZE=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/package -j "$(nproc)"
rm -f build/package/*.deb
(cd build/package && cpack -G DEB)
for deb in build/package/*.deb; do
  echo "== $deb"
  dpkg-deb -f "$deb"
  dpkg-deb -c "$deb"
done
