# Sourced by the shell tests of the real program: a work folder, removed at
# exit with the processes named in $pids; fail; and the desktop's helpers.
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A virtual X server and a window manager on a display of their own, added
# to $pids; DISPLAY exported.
start_desktop() {
    Xvfb -displayfd 3 -screen 0 "${BRIVO_SCREEN:-1024x768x24}" -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids="$pids $!"
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    openbox >/dev/null 2>&1 &
    pids="$pids $!"
    sleep 1
}

# window NAME [SECONDS]: prints the first shown window whose name matches,
# waiting up to SECONDS (10).
window() {
    for _ in $(seq $((${2:-10} * 4))); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$found" ] && echo "$found" && return 0
        sleep 0.25
    done
    return 1
}

# end WINDOW: SIGTERM to the program of the window, as at the end of a session.
end() {
    pid=$(xdotool getwindowpid "$1")
    kill -TERM "$pid"
    for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.25; done
    fail "the program did not end on SIGTERM"
}
