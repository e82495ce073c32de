# Sourced by the shell tests of the real program. start_desktop runs a
# virtual X server and a window manager on a display of their own, adds them
# to $pids for the test's cleanup, and exports DISPLAY; $work is a folder of
# the test's.
start_desktop() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids="$pids $!"
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    openbox >/dev/null 2>&1 &
    pids="$pids $!"
    sleep 1
}
