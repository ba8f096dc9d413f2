#!/usr/bin/env bash
# Fails when an include points up the layer order: each layer folder may
# include only itself and the layers before it. The desktop view knows
# nothing of telescopes: it may include only text/, platform/ and forms/;
# orb_client, a program of its own, only text/ and platform/.
# Tools, tests, benchmarks and fuzz targets may include anything.
# Usage: check_layers.sh SOURCE_DIR LAYER...   (the layers bottom up)
set -euo pipefail
source_dir=$1
shift

declare -A allowed
below=""
for layer in "$@"; do
  allowed[$layer]="$below $layer"
  below="$below $layer"
done
allowed[qt_view]="text platform forms qt_view"
allowed[client]="text platform client"

failures=0
for layer in "$@"; do
  [ -d "$source_dir/$layer" ] || continue
  while IFS= read -r hit; do
    file=${hit%%:*}
    rest=${hit#*:}
    line=${rest%%:*}
    target=${rest#*\"}
    target=${target%%/*}
    [ -d "$source_dir/$target" ] || continue
    case " ${allowed[$layer]} " in
      *" $target "*) ;;
      *)
        echo "${file#"$source_dir"/}:$line: $layer/ includes $target/, which is not below it"
        failures=$((failures + 1))
        ;;
    esac
  done < <(grep -rnE --include='*.h' --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^/"]+/' \
             --exclude-dir=tools "$source_dir/$layer" || true)
done

if [ "$failures" -gt 0 ]; then
  echo "$failures include(s) point up the layers ($*)"
  exit 1
fi
echo "every include points down the layers ($*)"
