#!/usr/bin/env bash
# The Debian package, built from the current build and unpacked with dpkg -x:
#   1. it holds exactly the installed files, with the Qt, platform-plugin and
#      font dependencies;
#   2. the files are sound: programs executable, StarData as in the source,
#      the desktop entry valid and pointing at the data folder, icons as PNG;
#   3. the unpacked domarium-snapshot draws from the unpacked StarData;
#   4. the unpacked domarium, started in the unpacked data folder as the
#      desktop entry starts it, shows that same chart; 終了 ends it with status 0.
# Usage: PackageTest.sh CPACK-CONFIG SCREEN-TOOL SOURCE-DIR
set -euo pipefail

config=$1 screen=$2 root=$3
source "$(dirname "${BASH_SOURCE[0]}")/../support/xserver.sh"
# Width and height of a PNG file, from its header; fails for anything else.
png_size() {
    [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || return 1
    echo "$((16#$(od -An -tx1 -j16 -N4 "$1" | tr -d ' \n'))) $((16#$(od -An -tx1 -j20 -N4 "$1" | tr -d ' \n')))"
}

echo "1. Contents and dependencies"
cpack --config "$config" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
debs=("$work"/out/domarium_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one package, found: ${debs[*]}"
deb=${debs[0]}
echo "   $(basename "$deb"), $(stat -c %s "$deb") bytes"
[ "$(dpkg-deb -f "$deb" Package)" = domarium ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "architecture"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-mincho fonts-ipafont-gothic; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
./usr/bin/domarium
./usr/bin/domarium-snapshot
./usr/share/applications/domarium.desktop
./usr/share/doc/domarium/copyright
./usr/share/domarium/ConstellationData
./usr/share/domarium/StarData
./usr/share/domarium/StarNames
./usr/share/icons/hicolor/256x256/apps/domarium.png
./usr/share/icons/hicolor/48x48/apps/domarium.png
./usr/share/icons/hicolor/scalable/apps/domarium.svg
LIST
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list above"

echo "2. Unpacked files"
dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
for program in domarium domarium-snapshot; do
    [ -x "$usr/bin/$program" ] || fail "$program is not executable"
done
cmp "$usr/share/domarium/StarData" "$root/StarData" || fail "StarData differs from the source"
desktop="$usr/share/applications/domarium.desktop"
desktop-file-validate --no-hints "$desktop" || fail "desktop-file-validate"
for line in Exec=domarium Path=/usr/share/domarium Icon=domarium Name=Domarium; do
    grep -qx "$line" "$desktop" || fail "the desktop entry lacks $line"
done
grep -q '^Name\[ja\]=.' "$desktop" && grep -q '^Comment\[ja\]=.' "$desktop" || fail "no Japanese name or comment"
for size in 48 256; do
    [ "$(png_size "$usr/share/icons/hicolor/${size}x$size/apps/domarium.png")" = "$size $size" ] ||
        fail "the ${size}x$size icon is not a $size x $size PNG"
done

echo "3. The unpacked snapshot tool draws from the unpacked StarData"
(cd "$usr/share/domarium" && QT_QPA_PLATFORM=offscreen exec "$usr/bin/domarium-snapshot" -o "$work/chart.png") ||
    fail "domarium-snapshot failed"
[ "$(png_size "$work/chart.png")" = "408 408" ] || fail "the chart is not a 408 x 408 PNG"

echo "4. The unpacked program shows its first chart and ends from its menu"
start_xserver
export QT_QPA_PLATFORM=xcb
(cd "$usr/share/domarium" && exec "$usr/bin/domarium") 2>"$work/program.err" &
program=$!
pids+=("$program")
wait_for xdotool search --onlyvisible --pid "$program" --name '^Domarium$' ||
    fail "no window appeared: $(cat "$work/program.err")"
find_chart() {
    "$screen" grab "$work/screen.png" && "$screen" find "$work/screen.png" "$work/chart.png" >"$work/found"
}
wait_for find_chart || fail "the chart is nowhere on screen: $(cat "$work/program.err")"
read -r chart_x chart_y <"$work/found"
read -r quit_x quit_y < <("$screen" menu-items)
# The chart sits at (168, 0) in the client area; the menu items are relative to it.
xdotool mousemove $((chart_x - 168 + quit_x)) $((chart_y + quit_y)) click 1
wait_for bash -c "! kill -0 $program" || fail "終了 did not end the program"
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after 終了"
echo "PASS"
