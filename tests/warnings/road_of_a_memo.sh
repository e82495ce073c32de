#!/bin/sh
# The road of one memo with the real program on a virtual X server with a
# window manager, its clock started by faketime at 09:53 on 3 June 2024 and
# run five times fast: F3, its text, the time 10:00 typed in its cell, a click
# on its alarm switch (5 minutes before, as new memos have it); the warning
# opens at 09:55, Enter postpones it by 5 minutes, the next tick writes the
# new Anticipo to the store, the memo warns again at 10:00, and after SIGTERM
# the store holds it.
#   road_of_a_memo.sh <program> [folder for screenshots]
set -eu
program=$1
shots=${2:-}
. "$(dirname "$0")/../desktop.sh"

mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"

start_desktop

# The wall clock runs five times fast; the timers keep real time, so a tick
# comes every 3 real seconds, 15 seconds of the program's clock.
env QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 BRIVO_REMINDER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f '@2024-06-03 09:53:00 x5' "$program" >"$work/program.log" 2>&1 &
pids="$pids $!"

main=$(window '^Brivo Reminder$') || fail "no main window"
sleep 2 # the start-up logo goes at the first tick
xdotool windowactivate --sync "$main"
xdotool key F3 && xdotool type --delay 50 Dentista && xdotool key Return
# From the done box to the time, where typing opens the cell editor (Tab
# would leave the grid for the buttons).
xdotool key Right Right Right Right Right && xdotool type --delay 50 10.00 && xdotool key Return
# The alarm switch of the first row: the right-border panel and frame (17),
# the six columns after it (175), half its own width (11); below the header.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" --sync $((WIDTH - 203)) 31 click 1

warning() { window 'Avviso promemoria|Alarm warning' 60; }
shot() {
    [ -n "$shots" ] && command -v import >/dev/null && import -window root "$shots/$1.png" || true
}

id=$(warning) || fail "no warning window by 10:03"
title=$(xdotool getwindowname "$id")
echo "first warning: $title"
case $title in 09:55*) ;; *) fail "first warning at the wrong time: $title" ;; esac
shot road-first-warning

# A warning ignores the keys of its first second.
sleep 1.2
xdotool windowactivate --sync "$id" key Return
for _ in $(seq 40); do grep -q '#_AN:0' "$work/home/Store.dat" && break; sleep 0.25; done
grep -q '#_AN:0' "$work/home/Store.dat" || fail "the store does not hold the postponed Anticipo 0"
echo "store written with Anticipo 0"
[ -z "$(xdotool search --onlyvisible --name 'Avviso promemoria|Alarm warning' 2>/dev/null)" ] ||
    fail "the warning window stayed open after Enter"

id=$(warning) || fail "no second warning by 10:10"
title=$(xdotool getwindowname "$id")
echo "second warning: $title"
case $title in 10:00*) ;; *) fail "second warning at the wrong time: $title" ;; esac
shot road-second-warning
end "$main"
grep -q '#_NT:Dentista.*#_AN:0' "$work/home/Store.dat" || fail "after SIGTERM the store lacks the memo: $(cat "$work/home/Store.dat")"
echo "PASS: the memo made with F3 warned at 09:55, was postponed by Enter, saved, warned again at 10:00, and was saved at the end"
