#!/usr/bin/env bash
# The build installed with cmake --install under a prefix of its own, as a
# school's administrator might under /usr/local or /opt:
#   1. from an empty folder, domarium-snapshot draws and domarium starts
#      (still running after its start-up) from the installed StarData;
#   2. with the installed StarData removed and none in the folder, both end
#      with status 1 and a message naming every folder searched.
# The compiled-in data folder (the build's own prefix) is searched too: the
# test only demands that it is named.
# Usage: InstalledDataTest.sh BUILD-DIR COMPILED-IN-DATA-FOLDER
set -euo pipefail
build=$1 compiled_in=$2
source "$(dirname "${BASH_SOURCE[0]}")/../support/xserver.sh"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log"; fail "cmake --install"; }
mkdir "$work/empty"
cd "$work/empty"
export QT_QPA_PLATFORM=offscreen

echo "1. Both programs find the installed StarData"
"$prefix/bin/domarium-snapshot" -o "$work/chart.png" || fail "domarium-snapshot did not draw from an empty folder"
# Started and still running after five seconds: StarData was read (a missing one ends it at once).
status=0
timeout 5 "$prefix/bin/domarium" 2>"$work/domarium.err" || status=$?
[ "$status" -eq 124 ] || fail "domarium ended with status $status: $(cat "$work/domarium.err")"

echo "2. Without StarData, the message names every folder searched"
rm "$prefix/share/domarium/StarData"
for program in domarium-snapshot domarium; do
    status=0
    timeout 10 "$prefix/bin/$program" -o "$work/none.png" >/dev/null 2>"$work/$program.err" || status=$?
    [ "$program" = domarium ] && { status=0; timeout 10 "$prefix/bin/$program" 2>"$work/$program.err" || status=$?; }
    [ "$status" -eq 1 ] || fail "$program ended with status $status without StarData"
    for folder in "$work/empty" "$compiled_in" "$prefix/share/domarium"; do
        grep -qxF "  $folder" "$work/$program.err" || fail "$program does not name $folder: $(cat "$work/$program.err")"
    done
done
[ ! -e "$work/none.png" ] || fail "a picture was written without StarData"
echo PASS
