#!/usr/bin/env bash
# Valgrind memcheck over one session of the engine: start-up from StarData on
# the offscreen platform, each setting changed once, a resize, a short
# hold-to-animate and the end (tools/valgrind/Driver.cpp). Builds the engine
# and the driver in build/valgrind. Any error or leak fails the run, except
# what tools/valgrind.supp lets through from Qt and fontconfig.
# Usage: tools/valgrind.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/valgrind"
command -v valgrind >/dev/null || bash "$root/tools/install-deps.sh"

cmake -S "$root/tools/valgrind" -B "$build" -G Ninja >/dev/null
cmake --build "$build"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
log="$build/memcheck.log"
status=0
valgrind --tool=memcheck --error-exitcode=99 --track-origins=yes --num-callers=40 \
  --leak-check=full --show-leak-kinds=definite,indirect,possible \
  --errors-for-leak-kinds=definite,indirect,possible \
  --suppressions="$root/tools/valgrind.supp" --gen-suppressions=all \
  --log-file="$log" \
  "$build/domarium-valgrind-driver" "$root/StarData" || status=$?
grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost" "$log" | sed 's/^==[0-9]*== //'
if [ "$status" -ne 0 ]; then
  echo "memcheck failed (status $status); the full report is in $log" >&2
  exit 1
fi
echo "memcheck: no errors (report: $log)"
