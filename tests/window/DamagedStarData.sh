#!/usr/bin/env bash
# Start-up with a damaged StarData: for each kind of damage the program shows
# one message naming the problem (and prints it on stderr), never shows its
# main window, and ends with a failure status once the message is closed.
# Usage: DamagedStarData.sh DOMARIUM SOURCE-DIR
set -euo pipefail

app=$(realpath "$1") root=$(realpath "$2")
source "$(dirname "${BASH_SOURCE[0]}")/../support/xserver.sh"
start_xserver

passed=0 failed=0
# check NAME EXPECTED-TEXT: runs the program in $work/NAME and checks its ending.
check() {
    local name=$1 expected=$2 dir="$work/$1"
    (cd "$dir" && exec "$app") 2>"$dir.err" &
    local pid=$!
    pids+=("$pid")
    local problem=""
    if wait_for xdotool search --onlyvisible --pid "$pid"; then
        local windows
        windows=$(xdotool search --onlyvisible --pid "$pid")
        [ "$(echo "$windows" | wc -l)" -eq 1 ] || problem="more than the message on screen"
        [ "$(xdotool getwindowname "$windows")" = "Domarium" ] || problem="the message is not titled Domarium"
        xdotool key Return || problem="could not press Enter"
    else
        problem="no message appeared"
    fi
    local status=0
    wait "$pid" || status=$?
    [ "$status" -ne 0 ] || problem="exit status 0"
    [ "$status" -lt 128 ] || problem="ended by signal $((status - 128))"
    grep -q -- "$expected" "$dir.err" || problem="stderr lacks '$expected': $(head -c 300 "$dir.err")"
    if [ -z "$problem" ]; then
        echo "ok   $name"
        passed=$((passed + 1))
    else
        echo "FAIL $name: $problem"
        failed=$((failed + 1))
    fi
}

mkdir -p "$work"/{empty,truncated,garbage,longline,huge-number,folder,unreadable}
: >"$work/empty/StarData"
head -c 1000 "$root/StarData" >"$work/truncated/StarData"
# Binary garbage, the same every run.
head -c 65536 /dev/zero | openssl enc -aes-128-ctr -nosalt -pass pass:domarium 2>/dev/null >"$work/garbage/StarData" ||
    awk 'BEGIN { srand(7); for (i = 0; i < 65536; i++) printf "%c", int(rand() * 256) }' >"$work/garbage/StarData"
# A line of 100 MB.
head -c 100000000 /dev/zero | tr '\0' '7' >"$work/longline/StarData"
printf '12.5,1e999,3\n' >"$work/huge-number/StarData"
cat "$root/StarData" >>"$work/huge-number/StarData"
mkdir "$work/folder/StarData"
if [ "$(id -u)" -eq 0 ]; then
    # Permissions do not stop root: a file that opens but fails to read stands in.
    ln -s /proc/self/mem "$work/unreadable/StarData"
else
    cp "$root/StarData" "$work/unreadable/StarData"
    chmod 000 "$work/unreadable/StarData"
fi

check empty "ファイルの終わり"
check truncated "ファイルの終わり"
check garbage "StarData の 1 行目"
check longline "長すぎます"
check huge-number "有限の数値ではありません"
check folder "フォルダです"
check unreadable "StarData を"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
