#!/bin/sh
# Builds the template fuzz target with clang's libFuzzer under AddressSanitizer
# and UndefinedBehaviorSanitizer, then runs it for the given number of seconds
# (default 60). Usage: fuzz/run.sh [seconds] [extra libFuzzer options...]
# Not part of the test suite; the corpus is kept in build/fuzz/corpus.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out="$root/build/fuzz"
seconds=${1:-60}
[ $# -gt 0 ] && shift
mkdir -p "$out/corpus"
cp -n "$here"/seeds/* "$out/corpus/" 2>/dev/null || true

clang++ -std=c++20 -g -O1 -Wall -Wextra -Wpedantic -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root" \
  "$here/template_fuzz.cpp" \
  "$root/scope_link/orb_server_object.cpp" \
  "$root/scope_link/coordinate_parsers.cpp" \
  "$root/scope_link/answer_validity.cpp" \
  "$root/scope_link/template_engine.cpp" \
  "$root/shell/settings_file.cpp" \
  -o "$out/template_fuzz"

cd "$out"
exec ./template_fuzz -max_total_time="$seconds" -max_len=512 -timeout=5 \
  -dict="$here/template.dict" "$@" corpus
