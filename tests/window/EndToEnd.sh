#!/usr/bin/env bash
# The real program on a real X server (Xvfb), driven as a user would drive it:
#   1. without StarData it reports the error and ends with a failure status,
#      its main window never shown;
#   2. with StarData the chart on screen is, pixel for pixel, the picture that
#      domarium-snapshot draws for the start-up state;
#   3. "情報" opens "バージョン情報" centred over the main window, Enter closes it;
#   4. "終了" ends the program with status 0.
# Usage: EndToEnd.sh DOMARIUM SNAPSHOT SCREEN-TOOL SOURCE-DIR
set -euo pipefail

app=$1 snapshot=$2 screen=$3 root=$4
source "$(dirname "${BASH_SOURCE[0]}")/../support/xserver.sh"
start_xserver

echo "1. A missing StarData ends start-up with a message"
mkdir "$work/empty"
(cd "$work/empty" && exec "$app") 2>"$work/missing.err" &
missing=$!
pids+=("$missing")
wait_for xdotool search --onlyvisible --pid "$missing" || fail "no error message appeared"
windows=$(xdotool search --onlyvisible --pid "$missing")
[ "$(echo "$windows" | wc -l)" -eq 1 ] || fail "more than the message is on screen"
[ "$(xdotool getwindowname "$windows")" = "Domarium" ] || fail "the message is not titled Domarium"
eval "$(xdotool getwindowgeometry --shell "$windows")"
[ "$WIDTH" -ne 584 ] || fail "the main window was shown"
xdotool key Return
status=0
wait "$missing" || status=$?
[ "$status" -ne 0 ] || fail "exit status 0 after a missing StarData"
grep -q "ファイルが見つかりません" "$work/missing.err" || fail "no message on stderr: $(cat "$work/missing.err")"

echo "2. The chart on screen is the snapshot's chart"
(cd "$root" && exec "$app") &
program=$!
pids+=("$program")
wait_for xdotool search --onlyvisible --name '^Domarium$' || fail "the main window did not appear"
window=$(xdotool search --onlyvisible --name '^Domarium$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
main_x=$X main_y=$Y main_w=$WIDTH main_h=$HEIGHT
(cd "$root" && "$snapshot" -o "$work/chart.png") || fail "domarium-snapshot failed"
find_chart() {
    "$screen" grab "$work/screen.png" && "$screen" find "$work/screen.png" "$work/chart.png" >"$work/found"
}
wait_for find_chart || fail "the snapshot's chart is nowhere on screen"
read -r chart_x chart_y <"$work/found"
# The chart sits at (168, 0) in the client area, which starts below the menu bar.
[ "$chart_x" -eq $((main_x + 168)) ] || fail "chart at x=$chart_x, window at x=$main_x"
[ "$chart_y" -gt "$main_y" ] && [ "$chart_y" -lt $((main_y + 60)) ] || fail "chart at y=$chart_y, window at y=$main_y"
echo "   front chart found at $chart_x,$chart_y"

# The menu items' centres, relative to the client area's top-left corner.
mapfile -t items < <("$screen" menu-items)
read -r quit_x quit_y <<<"${items[0]}"
read -r joho_x joho_y <<<"${items[1]}"
client_x=$((chart_x - 168)) client_y=$chart_y

echo "3. 情報 opens the about dialog; Enter closes it"
xdotool mousemove $((client_x + joho_x)) $((client_y + joho_y)) click 1
wait_for xdotool search --onlyvisible --name '^バージョン情報$' || fail "the about dialog did not open"
dialog=$(xdotool search --onlyvisible --name '^バージョン情報$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH" -eq 312 ] && [ "$HEIGHT" -eq 213 ] || fail "dialog is ${WIDTH}x${HEIGHT}"
dx=$((2 * X + WIDTH - 2 * main_x - main_w)) dy=$((2 * Y + HEIGHT - 2 * main_y - main_h))
[ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "dialog at $X,$Y ${WIDTH}x${HEIGHT}, main window at $main_x,$main_y ${main_w}x${main_h}"
xdotool key Return
wait_for bash -c "! xdotool search --onlyvisible --name '^バージョン情報$'" || fail "Enter did not close the dialog"

echo "4. 終了 ends the program with status 0"
xdotool mousemove $((client_x + quit_x)) $((client_y + quit_y)) click 1
wait_for bash -c "! kill -0 $program" || fail "the program did not end"
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after 終了"
echo "PASS"
