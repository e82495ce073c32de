#!/bin/sh
# The road of one memo with the real program on a virtual X server with a
# window manager, its clock started by faketime at 09:54:50 on 3 June 2024
# and run ten times fast: the memo of 10:00 with its alarm 5 minutes before
# opens its warning at 09:55, Enter postpones it by 5 minutes, the next tick
# writes the new Anticipo to the store, and the memo warns again at 10:00.
#   road_of_a_memo.sh <program> [folder for screenshots]
set -eu
program=$1
shots=${2:-}
work=$(mktemp -d)
pids=""
cleanup() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
# Memo 1, 3 June 2024 (day 45446) at 10:00, alarm 5 minutes before.
printf '#MEMO#\t#_ID:1\t#TME:1\t#_NT:Telefonare al dentista\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:45446\t#TOR:1\t#_OR:0,416666666666667\t#TAN:2\t#_AN:-5\r\n' \
    >"$work/home/Store.dat"

. "$(dirname "$0")/../desktop.sh"
start_desktop

# The wall clock runs ten times fast; the timers keep real time, so a tick
# comes every 3 real seconds, 30 seconds of the program's clock.
env QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 BRIVO_REMINDER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    faketime -f '@2024-06-03 09:54:50 x10' "$program" >"$work/program.log" 2>&1 &
pids="$pids $!"

# Prints the id of the memo warning window once it is shown.
warning() {
    for _ in $(seq 60); do
        id=$(xdotool search --onlyvisible --name 'Avviso promemoria|Alarm warning' 2>/dev/null | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.5
    done
    return 1
}
shot() {
    [ -n "$shots" ] && command -v import >/dev/null && import -window root "$shots/$1.png" || true
}

id=$(warning) || fail "no warning window by 09:58"
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

id=$(warning) || fail "no second warning by 10:05"
title=$(xdotool getwindowname "$id")
echo "second warning: $title"
case $title in 10:00*) ;; *) fail "second warning at the wrong time: $title" ;; esac
shot road-second-warning
echo "PASS: the memo warned at 09:55, was postponed by Enter, saved, and warned again at 10:00"
