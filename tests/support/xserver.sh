# Shared by the scripts that drive the real program: a scratch folder that is
# removed on exit together with the processes listed in `pids`, `fail`,
# waiting, and an X server (Xvfb) of the script's own on a free display.
# Source it near the top; set WAIT_TRIES first to wait longer than ten seconds.

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits for a command to succeed: WAIT_TRIES tries a tenth of a second apart.
wait_for() {
    for _ in $(seq "${WAIT_TRIES:-100}"); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Starts Xvfb and points DISPLAY at it; Xvfb writes the display it took to descriptor 3.
start_xserver() {
    # -noreset: without it the server restarts whenever its last client leaves, and a
    # program that connects just then is turned away.
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    wait_for test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
}
