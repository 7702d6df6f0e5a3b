#!/usr/bin/env bash
# Every option that a program's --help lists is described in its English and
# its Japanese manual page; a page that lists an option --help lacks is
# caught too, so the pages and the table of options cannot drift apart.
# Usage: ManPagesTest.sh MAN-DIR DOMARIUM DOMARIUM-SNAPSHOT
set -euo pipefail
man_dir=$1
cd "$(mktemp -d)"
trap 'rm -rf "$PWD"' EXIT
shift
failures=0
options() { grep -oE '(^|[ ,])--?[a-z][a-z-]*' | sed 's/^[ ,]*//' | sort -u; }
for program in "$@"; do
    name=$(basename "$program")
    "$program" --help | options >"help.$name"
    [ -s "help.$name" ] || { echo "FAIL: $name --help lists no options"; failures=$((failures + 1)); }
    for language in en ja; do
        page="$man_dir/$language/$name.1"
        # The options as the page shows them: roff's escaped minus as a plain one.
        sed -n '/^\.SH \(OPTIONS\|オプション\)/,/^\.SH/p' "$page" | sed 's/\\-/-/g; s/\\f[BIR]//g' |
            grep -E '^\.(B|BI|BR|TP)' | options >"page.$name.$language" || true
        if ! diff -u "help.$name" "page.$name.$language" >"diff.$name.$language"; then
            echo "FAIL: $name: --help and $page list different options"
            cat "diff.$name.$language"
            failures=$((failures + 1))
        fi
    done
    rm -f help."$name" page."$name".* diff."$name".*
done
[ "$failures" -eq 0 ] && echo PASS
