#!/usr/bin/env bash
# domarium-snapshot as a user runs it: exit statuses, and nothing written on an error.
set -u
tool="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$source_dir/StarData" "$source_dir/ConstellationData" "$source_dir/StarNames" .
failures=0
checks=0
expect() {  # expect STATUS ARGS...: runs the tool and checks its exit status.
  local want="$1"; shift
  "$tool" "$@" >stdout.txt 2>stderr.txt
  local got=$?
  checks=$((checks + 1))
  if [ "$got" -ne "$want" ]; then
    echo "FAIL: $* exited $got, expected $want"; cat stderr.txt; failures=$((failures + 1))
  fi
}
expect 0 -o default.png --stars stars.csv
checks=$((checks + 7))
[ -s default.png ] || { echo "FAIL: no PNG"; failures=$((failures + 1)); }
head -n 1 stars.csv | grep -qx 'index,x,y,radius,kind' || { echo "FAIL: CSV header"; failures=$((failures + 1)); }
expect 0 -h
grep -q '使い方' stdout.txt || { echo "FAIL: help text"; failures=$((failures + 1)); }
expect 0 -o plain.png
expect 0 -o sun.png --overlays sun,seasons,circles --points points.csv --month 6 --day 21
head -n 1 points.csv | grep -qx 'kind,label,x,y,altitude,azimuth' || { echo "FAIL: points header"; failures=$((failures + 1)); }
grep -q '^transit,78\.4,' points.csv || { echo "FAIL: 21 June transit at 35N"; failures=$((failures + 1)); }
cmp -s plain.png sun.png && { echo "FAIL: overlays drew nothing"; failures=$((failures + 1)); }
expect 0 -o none.png --points none.csv
cmp -s plain.png none.png || { echo "FAIL: --points alone changed the chart"; failures=$((failures + 1)); }
grep -q '^zenith,,,,90' none.csv || { echo "FAIL: undrawn point with coordinates"; failures=$((failures + 1)); }
expect 0 -o figures.png --overlays trails,constellations,names --trail-hours 6 --points figures.csv --month 2 --day 15 --hour 20 --azimuth 180
grep -q '^constellation,オリオン座,[0-9]' figures.csv || { echo "FAIL: Orion not among the names"; failures=$((failures + 1)); }
grep -q '^star-name,シリウス,[0-9]' figures.csv || { echo "FAIL: Sirius not among the names"; failures=$((failures + 1)); }
cmp -s plain.png figures.png && { echo "FAIL: figures drew nothing"; failures=$((failures + 1)); }
expect 0 -o bodies.png --overlays moon,planets,space --bodies bodies.csv --points body-points.csv --month 8 --day 15 --hour 19 --minute 30
head -n 1 bodies.csv | grep -qx 'body,altitude,azimuth,illuminated,bright_limb,diameter_arcsec,x,y' || { echo "FAIL: bodies header"; failures=$((failures + 1)); }
[ "$(wc -l <bodies.csv)" -eq 8 ] || { echo "FAIL: bodies rows"; failures=$((failures + 1)); }
grep -q '^moon,[0-9.]*,[0-9.]*,0\.0[0-9]*,[0-9.]*,[0-9.]*,[0-9]' bodies.csv || { echo "FAIL: the crescent of 15 August 2026 not drawn"; failures=$((failures + 1)); }
grep -q '^venus,venus,[0-9]' body-points.csv || { echo "FAIL: no venus point"; failures=$((failures + 1)); }
cmp -s plain.png bodies.png && { echo "FAIL: bodies drew nothing"; failures=$((failures + 1)); }
checks=$((checks + 14))
# The ground views: another picture of the same sky; dome and 昼の空 on the dome are the plain chart.
expect 0 -o dome.png --view dome --overlays daylight
cmp -s plain.png dome.png || { echo "FAIL: --view dome or daylight changed the dome"; failures=$((failures + 1)); }
expect 0 -o ground.png --view horizon --azimuth 180 --stars ground.csv
cmp -s plain.png ground.png && { echo "FAIL: --view horizon drew the dome"; failures=$((failures + 1)); }
expect 2 -o bad.png --view up
grep -q '「up」は知らない名前' stderr.txt || { echo "FAIL: unknown view message"; failures=$((failures + 1)); }
checks=$((checks + 3))
expect 2 -o bad.png --points bad.csv --overlays sun,stars
grep -q '「stars」は知らない名前' stderr.txt || { echo "FAIL: unknown overlay message"; failures=$((failures + 1)); }
for args in "--month 13" "--limit 3.55" "--day x" "--hour" "--nonsense 1" "--overlays sun," "--overlays SUN" "--trail-hours 5" "--trail-hours" "--year 1999" "--year abc" "--view"; do
  # shellcheck disable=SC2086
  expect 2 -o bad.png --stars bad.csv $args
  checks=$((checks + 1))
  grep -q 'domarium-snapshot: ' stderr.txt || { echo "FAIL: no message for $args"; failures=$((failures + 1)); }
done
expect 2 --month 3
expect 0 --version
grep -q '^domarium-snapshot [0-9]' stdout.txt || { echo "FAIL: version text"; failures=$((failures + 1)); }
# Standard output carries the same picture as a file.
expect 0 -o - --month 6
"$tool" -o month6.png --month 6 2>/dev/null
cmp -s stdout.txt month6.png || { echo "FAIL: -o - differs from the file"; failures=$((failures + 1)); }
# A write that fails names the reason and leaves nothing behind.
mkdir locked && chmod 555 locked
target=locked/x.png
[ "$(id -u)" -eq 0 ] && target=/proc/version/x.png  # Permissions do not stop root.
expect 1 -o "$target"
grep -q "$target に書き込めません（.\+）" stderr.txt || { echo "FAIL: no reason for the failed write"; cat stderr.txt; failures=$((failures + 1)); }
[ -z "$(ls -A locked)" ] || { echo "FAIL: a partial file was left"; failures=$((failures + 1)); }
head -c 1000 StarData > Short
expect 1 -o bad.png --stars bad.csv --stardata Short
grep -q 'ファイルの終わり' stderr.txt || { echo "FAIL: short catalogue message"; failures=$((failures + 1)); }
expect 1 -o bad.png --stardata missing
ls bad.png bad.csv 2>/dev/null && { echo "FAIL: something written on an error"; failures=$((failures + 1)); }
ls -a | grep -q '\.png\.' && { echo "FAIL: temporary file left"; failures=$((failures + 1)); }
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
