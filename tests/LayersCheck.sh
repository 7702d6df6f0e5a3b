#!/usr/bin/env bash
# tools/check-layers.sh against small trees with a circle of includes planted in them:
# each row's tree must pass or fail as the row says, and a failure must name the files.
# Usage: tests/LayersCheck.sh SOURCE-DIR
set -uo pipefail
check="$1/tools/check-layers.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# plant TREE FILE CONTENT...: writes each file of a row's tree under TREE/src.
plant() {
  local tree="$1"
  shift
  while [ "$#" -gt 0 ]; do
    mkdir -p "$(dirname "$tree/src/$1")"
    printf '%b' "$2" >"$tree/src/$1"
    shift 2
  done
}

# row NAME WANT-STATUS MESSAGE-PART FILE CONTENT...
row() {
  local name="$1" want="$2" part="$3"
  shift 3
  local tree="$work/$name"
  plant "$tree" "$@"
  bash "$check" "$tree" >"$tree.out" 2>"$tree.err"
  local got=$?
  if [ "$got" -ne "$want" ] || ! grep -qF -- "$part" "$tree.err" "$tree.out"; then
    echo "FAIL: $name: status $got (want $want), output:"
    cat "$tree.out" "$tree.err"
    failures=$((failures + 1))
  fi
}

# A header and the other unit's .cpp close the circle: A.h -> B, B.cpp -> A.
row circle-through-a-cpp 1 "src/core/B.cpp:1 includes core/A" \
  core/A.h '#include "core/B.h"\n' core/B.h '' core/B.cpp '#include "core/A.h"\n#include "core/B.h"\n'
# The same tree without the closing include.
row no-circle 0 "no files include each other in a circle" \
  core/A.h '#include "core/B.h"\n' core/B.h '' core/B.cpp '#include "core/B.h"\n'
# A circle through includes relative to the files' own folder.
row circle-by-relative-includes 1 "src/core/Hub.cpp:1 includes core/Axle" \
  core/Axle.h '#include "Hub.h"\n' core/Hub.h '' core/Hub.cpp '#include "Axle.h"\n#include "Hub.h"\n'
# A known circle that another file joins is a new circle.
row known-circle-grown 1 "src/session/Handlers.cpp:1 includes session/Redraw" \
  session/Redraw.h '' session/Redraw.cpp '#include "session/Overlays.h"\n' \
  session/Overlays.h '#include "session/Handlers.h"\n' session/Overlays.cpp '#include "session/Redraw.h"\n' \
  session/Handlers.h '' session/Handlers.cpp '#include "session/Redraw.h"\n'

[ "$failures" -eq 0 ] && echo "check-layers: every planted circle found, no circle invented"
exit $((failures > 0))
