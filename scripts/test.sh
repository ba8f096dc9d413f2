#!/usr/bin/env bash
# Builds the program and its tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install_deps.sh test
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORB_TESTS=ON -DORB_SANITIZE=ON -DORB_QT=ON
cmake --build build/test -j "$(nproc)"
ctest --test-dir build/test --output-on-failure -j "$(nproc)"
