#!/usr/bin/env bash
# The Debian package, built from the source tree as Debian builds it
# (tools/build-package.sh) and unpacked with dpkg -x:
#   1. it holds exactly the installed files, with the Qt, platform-plugin and
#      font dependencies;
#   2. lintian (-EvIL +pedantic) finds no error and no warning;
#   3. the files are sound: the metainfo passes appstreamcli validate --pedantic,
#      the desktop entry is named by its component ID and needs no working
#      folder, each program has an English and a Japanese manual page;
#   4. the unpacked domarium-snapshot, started from an empty folder, finds the
#      unpacked StarData and draws, to a file and to standard output;
#   5. the unpacked domarium, started from an empty folder, shows that same
#      chart; 終了 ends it with status 0.
# Usage: PackageTest.sh SCREEN-TOOL SOURCE-DIR
set -euo pipefail

screen=$1 root=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/xserver.sh"
# Width and height of a PNG file, from its header; fails for anything else.
png_size() {
    [ "$(head -c 8 "$1" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || return 1
    echo "$((16#$(od -An -tx1 -j16 -N4 "$1" | tr -d ' \n'))) $((16#$(od -An -tx1 -j20 -N4 "$1" | tr -d ' \n')))"
}
id=org.example.domarium

echo "1. Contents and dependencies"
bash "$root/tools/build-package.sh" "$work/out" >"$work/build.log" 2>&1 || { cat "$work/build.log"; fail "the package build failed"; }
deb=$work/out/domarium_$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no package $deb: $(ls "$work/out")"
echo "   $(basename "$deb"), $(stat -c %s "$deb") bytes"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins fonts-ipafont-mincho fonts-ipafont-gothic; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sort >"$work/files"
sort >"$work/expected" <<LIST
./usr/bin/domarium
./usr/bin/domarium-snapshot
./usr/share/applications/$id.desktop
./usr/share/doc/domarium/changelog.gz
./usr/share/doc/domarium/copyright
./usr/share/domarium/ConstellationData
./usr/share/domarium/StarData
./usr/share/domarium/StarNames
./usr/share/icons/hicolor/256x256/apps/domarium.png
./usr/share/icons/hicolor/48x48/apps/domarium.png
./usr/share/icons/hicolor/scalable/apps/domarium.svg
./usr/share/man/ja/man1/domarium-snapshot.1.gz
./usr/share/man/ja/man1/domarium.1.gz
./usr/share/man/man1/domarium-snapshot.1.gz
./usr/share/man/man1/domarium.1.gz
./usr/share/metainfo/$id.metainfo.xml
LIST
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list above"

echo "2. lintian"
allow_root=()
[ "$(id -u)" -ne 0 ] || allow_root=(--allow-root)
lintian "${allow_root[@]}" -EvIL +pedantic "$deb" >"$work/lintian" 2>&1 || true
grep -v 'running with root privileges' "$work/lintian" || true
! grep -Eq '^[EW]: ' "$work/lintian" || fail "lintian reports an error or a warning"

echo "3. Unpacked files"
dpkg -x "$deb" "$work/root"
usr="$work/root/usr"
for program in domarium domarium-snapshot; do
    [ -x "$usr/bin/$program" ] || fail "$program is not executable"
    for page in "$usr/share/man/man1/$program.1.gz" "$usr/share/man/ja/man1/$program.1.gz"; do
        [ -s "$page" ] || fail "no manual page $page"
    done
done
cmp "$usr/share/domarium/StarData" "$root/StarData" || fail "StarData differs from the source"
appstreamcli validate --pedantic --no-net "$usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$usr/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not launch $id.desktop"
desktop="$usr/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
for line in Exec=domarium Icon=domarium Name=Domarium Categories=Education\;Astronomy\;; do
    grep -qx "$line" "$desktop" || fail "the desktop entry lacks $line"
done
! grep -q '^Path=' "$desktop" || fail "the desktop entry still names a working folder"
grep -q '^Name\[ja\]=.' "$desktop" && grep -q '^Comment\[ja\]=.' "$desktop" || fail "no Japanese name or comment"
for size in 48 256; do
    [ "$(png_size "$usr/share/icons/hicolor/${size}x$size/apps/domarium.png")" = "$size $size" ] ||
        fail "the ${size}x$size icon is not a $size x $size PNG"
done

echo "4. The unpacked snapshot tool draws from an empty folder"
mkdir "$work/empty"
(cd "$work/empty" && QT_QPA_PLATFORM=offscreen exec "$usr/bin/domarium-snapshot" -o "$work/chart.png") ||
    fail "domarium-snapshot failed"
[ "$(png_size "$work/chart.png")" = "408 408" ] || fail "the chart is not a 408 x 408 PNG"
(cd "$work/empty" && QT_QPA_PLATFORM=offscreen exec "$usr/bin/domarium-snapshot" -o -) >"$work/stdout.png" ||
    fail "domarium-snapshot -o - failed"
cmp "$work/chart.png" "$work/stdout.png" || fail "the chart on standard output differs from the file"
[ -z "$(ls -A "$work/empty")" ] || fail "something was written in the folder: $(ls -A "$work/empty")"

echo "5. The unpacked program shows its first chart from an empty folder and ends from its menu"
start_xserver
(cd "$work/empty" && exec "$usr/bin/domarium") 2>"$work/program.err" &
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
