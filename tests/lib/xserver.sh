# Shared by the tests that drive the real program: waiting, and an X server
# (Xvfb) of the test's own on a free display. Source it after setting `work`
# (a scratch folder) and the array `pids` (processes to end on exit).

# Waits up to ten seconds for a command to succeed.
wait_for() {
    for _ in $(seq 100); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Starts Xvfb and points DISPLAY at it; Xvfb writes the display it took to descriptor 3.
start_xserver() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    wait_for test -s "$work/display" || { echo "FAIL: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$work/display")"
    export QT_QPA_PLATFORM=xcb
}
