#!/usr/bin/env bash
# Valgrind memcheck over Domarium, built with debug information in
# build/valgrind (the valgrind preset):
#   1. the engine: start-up from StarData on the offscreen platform, each
#      setting changed once, resizes, a short hold-to-animate and the end
#      (tests/valgrind/Driver.cpp);
#   2. the real program on an X server (Xvfb): start-up until its chart is on
#      screen, then 終了 from its menu, so that it ends by itself and the leak
#      check sees a normal exit.
# Any memory error or leak fails the run, except what tools/valgrind.supp lets
# through from inside Qt's libraries, fontconfig, GLib and D-Bus.
# Usage: tools/valgrind.sh        (reports in build/valgrind/*.log)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/valgrind"
command -v valgrind >/dev/null && command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
  bash "$root/tools/install-deps.sh"

cd "$root"
cmake --preset valgrind >/dev/null
cmake --build "$build"

# Valgrind is slow: wait up to two minutes for the program.
WAIT_TRIES=1200
source "$root/tests/support/xserver.sh"

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No session bus, so no D-Bus helper process; Qt's own event loop instead of GLib's.
export DBUS_SESSION_BUS_ADDRESS=disabled: QT_NO_GLIB=1
memcheck=(valgrind --tool=memcheck --error-exitcode=99 --track-origins=yes --num-callers=40
  --leak-check=full --show-leak-kinds=definite,indirect,possible
  --errors-for-leak-kinds=definite,indirect,possible
  --suppressions="$root/tools/valgrind.supp" --gen-suppressions=all)
summary() {
  grep -E "ERROR SUMMARY|definitely lost|indirectly lost|possibly lost|suppressed:" "$1" | sed 's/^==[0-9]*== /   /'
}

echo "1. The engine session"
status=0
QT_QPA_PLATFORM=offscreen "${memcheck[@]}" --log-file="$build/engine.log" \
  "$build/tests/valgrind/domarium-valgrind-driver" "$root/StarData" || status=$?
summary "$build/engine.log"
[ "$status" -eq 0 ] || fail "memcheck on the engine session (status $status): see $build/engine.log"

echo "2. The program, from start-up to 終了"
start_xserver
screen="$build/tests/valgrind/domarium-screen"
(cd "$root" && QT_QPA_PLATFORM=offscreen "$build/src/snapshot/domarium-snapshot" -o "$work/chart.png") ||
  fail "domarium-snapshot failed"
(cd "$root" && exec "${memcheck[@]}" --log-file="$build/program.log" "$build/src/window/domarium") &
program=$!
pids+=("$program")
find_chart() {
  "$screen" grab "$work/screen.png" && "$screen" find "$work/screen.png" "$work/chart.png" >"$work/found"
}
wait_for find_chart || fail "the chart never appeared on screen"
read -r chart_x chart_y <"$work/found"
read -r quit_x quit_y < <("$screen" menu-items)
# The chart sits at (168, 0) in the client area; the menu items are relative to it.
xdotool mousemove $((chart_x - 168 + quit_x)) $((chart_y + quit_y)) click 1
status=0
wait "$program" || status=$?
summary "$build/program.log"
[ "$status" -eq 0 ] || fail "memcheck on the program (status $status): see $build/program.log"
echo "memcheck: no errors"
