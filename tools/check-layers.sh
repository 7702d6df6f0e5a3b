#!/usr/bin/env bash
# Fails when a file in src/ includes a folder of src/ that its layer may not
# look at. Each layer looks only down, at the folders listed after it.
# Usage: tools/check-layers.sh [SOURCE-DIR]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

declare -A allowed=(
  [core]=""
  [time]="core astro"
  [astro]="core"
  [geometry]="core"
  [catalogue]="core geometry"
  [render]="core geometry time astro"
  [session]="core time astro geometry catalogue render"
  [qttext]="core render"
  [cmdline]=""
  [window]="core time astro geometry catalogue render session qttext cmdline"
  [snapshot]="core time astro geometry catalogue render qttext cmdline"
)
# Folders that must not see Qt at all: everything the browser edition compiles.
engine=(core time astro geometry catalogue render session)

status=0
cd "$root/src"
for layer in */; do
  layer=${layer%/}
  if [ -z "${allowed[$layer]+set}" ]; then
    echo "src/$layer: a folder the layer table does not know" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    [ "$target" = "$layer" ] && continue
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "src/$file:$line: $layer may not include $target ($include)" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$layer" || true)
done
for layer in "${engine[@]}"; do
  if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$layer" >&2; then
    echo "src/$layer: Qt is for the front ends only" >&2
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "layers: every include looks down"
exit "$status"
