#!/usr/bin/env bash
# Runs domarium-window-bench on an X server of its own (Xvfb).
# Usage: bench/window/run-window-bench.sh [BUILD-DIR] [RUNS]   (default build/release, 15 runs)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="${1:-$root/build/release}"
work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=":$(head -n 1 "$work/display")" QT_QPA_PLATFORM=xcb "$build/bench/window/domarium-window-bench" "${2:-15}"
