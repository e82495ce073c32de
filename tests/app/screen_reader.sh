#!/bin/bash
# What a screen reader hears of the real program in English, read over the
# desktop's accessibility bus (AT-SPI, through pyatspi as Orca reads it) on
# Xvfb with openbox and a private session bus: the memo grid, the alarm
# clocks, the options and a memo warning. Its clock starts by faketime at
# 10:24:30 on 3 June 2024; a memo warns at 10:25.
# BRIVO_SCREEN and QT_SCALE_FACTOR choose the screen and the scale.
#   screen_reader.sh <program> [folder for screenshots]
set -eu
program=$1
shots=${2:-}
here=$(dirname "$0")
. "$here/../desktop.sh"
reader() { /usr/bin/python3 "$here/screen_reader.py" "$@"; }
shot() {
    [ -n "$shots" ] && command -v import >/dev/null && import -window root "$shots/$1.png" || true
}

for tool in Xvfb openbox xdotool dbus-daemon faketime; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup.sh installs it)"; exit 0; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "SKIP: python3-pyatspi is not installed (scripts/setup.sh installs it)"; exit 0; }

mkdir -p "$work/home" "$work/config/Brivo" "$work/runtime"
chmod 700 "$work/runtime"
printf '[Brivo%%20Reminder]\nImpostazioni\\Lingua_attuale=English (UK)\nImpostazioni\\Suono_Memo=-nessun suono-\n' \
    >"$work/config/Brivo/BrivoReminder.ini"
# Bread done; the dentist's bell on; the plumber due at 10:25 (10:30, 5 minutes before).
printf '%s\r\n' \
    "#MEMO#	#_ID:1	#TME:1	#_NT:Buy bread	#_ES:1	#_AT:0	#TDT:1	#_DT:45446	#TOR:2	#_OR:0	#TAN:2	#_AN:-5" \
    "#MEMO#	#_ID:2	#TME:1	#_NT:Dentist	#_ES:0	#_AT:1	#TDT:1	#_DT:45447	#TOR:1	#_OR:0,375	#TAN:2	#_AN:-5" \
    "#MEMO#	#_ID:3	#TME:1	#_NT:Call the plumber	#_ES:0	#_AT:1	#TDT:1	#_DT:45446	#TOR:1	#_OR:0,4375	#TAN:2	#_AN:-5" \
    "#SVEGLIA#	#TSV:1	#_MS:Gym	#_GN:2	#_AT:1	#_OR:0,75	#_SN:-nessun suono-" >"$work/home/Store.dat"

start_desktop
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
pids="$pids $(cat "$work/bus.pid")"
DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 BRIVO_REMINDER_HOME="$work/home" \
    XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" BRIVO_REMINDER_BOX_LOG="$work/boxes.log" \
    FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f '@2024-06-03 10:24:30' "$program" >"$work/program.log" 2>&1 &
pids="$pids $!"

main=$(window '^Brivo Reminder$') || fail "no main window"
sleep 2 # the start-up logo goes at the first tick
xdotool windowactivate --sync "$main"
xdotool key Down # the dentist's row becomes the current one
sleep 0.5
shot reader-main
result=0
reader main || result=1

xdotool key F2
window '^Clocks setup$' >/dev/null || fail "no alarm-clock window"
sleep 0.5
shot reader-clocks
reader clocks || result=1
xdotool key Escape

xdotool key F4
options=$(window '^Options$') || fail "no options window"
sleep 0.5
shot reader-options
reader options || result=1
# Wholly on the screen, at any scale.
eval "$(xdotool getwindowgeometry --shell "$options")"
read -r sw sh < <(xdotool getdisplaygeometry)
echo "options at ${X},${Y} ${WIDTH}x${HEIGHT} on ${sw}x${sh}"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$sw" ] && [ $((Y + HEIGHT)) -le "$sh" ] ||
    { echo "FAULT (options): not wholly on the screen" >&2; result=1; }
xdotool windowactivate --sync "$options" key Escape

reader warning || result=1
shot reader-warning
[ "$result" = 0 ] || fail "a screen reader does not hear what the windows show"
echo "PASS: the memo grid, the alarm clocks, the options and a memo warning read as a screen reader needs"
