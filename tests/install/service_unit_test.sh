#!/usr/bin/env bash
# The systemd unit as cmake --install writes it passes systemd-analyze
# verify. Skipped (exit 77) where systemd-analyze is not installed.
# Usage: service_unit_test.sh BUILD_DIR
set -euo pipefail
build=$1
if ! command -v systemd-analyze >/dev/null; then
  echo "SKIPPED: systemd-analyze is not installed (apt-get install systemd)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" --component server >/dev/null
unit=$work/prefix/lib/systemd/system/orb-server.service
# verify complains of nothing it can check but the unit itself: any line on
# its output is a fault of the unit.
output=$(systemd-analyze verify "$unit" 2>&1) || { echo "$output"; echo "FAIL: systemd-analyze verify"; exit 1; }
if [ -n "$output" ]; then
  echo "$output"
  echo "FAIL: systemd-analyze verify has remarks on the unit"
  exit 1
fi
echo "systemd-analyze verify: the unit passes"
