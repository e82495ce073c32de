#!/usr/bin/env bash
# Measures, with the program built in build/:
#  1. start to the first painted frame with 0 to 100,000 memos, against a minimal
#     Qt window with a table and a tray icon (both print the clock once their
#     first frame is painted, and end; RUNS runs each);
#  2. the CPU and memory of the program idle for IDLE_SECONDS with 10,000
#     memos, and the memory of the minimal window;
#  3. on X (Xvfb and openbox), idle wake-ups and CPU of the program beside the
#     minimal window with the same 3-s timer, both running at once, without a
#     notification area and then with one (trayer).
# Offscreen for 1 and 2, with a throw-away home, settings and runtime folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=${PROGRAM:-$root/build/src/brivo-reminder} # another build to compare
minimal="$root/build/bench/app/bench_minimal_window"
runs=${RUNS:-20}
idle=${IDLE_SECONDS:-60}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen BRIVO_REMINDER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime"

# make_store N: N memos spread over the coming days, armed, in the store format.
make_store() {
    python3 - "$work/home/Store.dat" "$1" <<'PY'
import sys, datetime
base = (datetime.date.today() - datetime.date(1899, 12, 30)).days
with open(sys.argv[1], "wb") as f:
    for i in range(int(sys.argv[2])):
        line = "#MEMO#\t#_ID:%d\t#TME:1\t#_NT:Promemoria %d\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:%d\t#TOR:1\t#_OR:%s\t#TAN:2\t#_AN:-5\r\n" % (
            i + 1, i + 1, base + 1 + i % 30, repr((i % 1440) / 1440.0).replace(".", ","))
        f.write(line.encode("cp1252"))
PY
}

start_us() { # command... : microseconds from its start to the "shown <ns>" line
    # it prints once its first frame is painted
    local start shown
    start=$(date +%s%N)
    shown=$("$@" 2>/dev/null | awk '/^shown / {print $2}')
    echo $(((shown - start) / 1000))
}
median_ms() { sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'; }

"$program" >/dev/null 2>&1 & # warm the caches once
sleep 2; kill -TERM $! ; wait $! || true
# The program and the minimal window take turns, so that both meet the same
# load from anything else on the machine.
echo "start to the first painted frame, median of $runs runs each:"
for memos in 0 1000 10000 100000; do
    make_store $memos
    : >"$work/program.us"; : >"$work/minimal.us"; : >"$work/filled.us"
    for _ in $(seq "$runs"); do
        start_us "$minimal" >>"$work/minimal.us"
        start_us env BRIVO_REMINDER_QUIT_WHEN_SHOWN=1 "$program" >>"$work/program.us"
        # The store is taken in behind the logo: when its memos are in the grid.
        start_us env BRIVO_REMINDER_QUIT_WHEN_SHOWN=filled "$program" >>"$work/filled.us"
    done
    awk -v n=$memos -v p="$(median_ms <"$work/program.us")" -v m="$(median_ms <"$work/minimal.us")" \
        -v f="$(median_ms <"$work/filled.us")" \
        'BEGIN {printf "  %6d memos: program %.1f ms, minimal window %.1f ms, ratio %.2f (targets: 1.10 at 10,000, 1.6 at 100,000); memos in the grid at %.1f ms\n", n, p, m, p / m, f}'
done
make_store 10000

"$program" >/dev/null 2>&1 &
pid=$!
"$minimal" --idle >/dev/null 2>&1 & # the yardstick for memory
minimal_pid=$!
sleep 5 # past the start-up and the first ticks
# Nanoseconds on the CPU, all threads.
cpu_ns() { cat /proc/$pid/task/*/schedstat | awk '{n += $1} END {print n}'; }
before=$(cpu_ns)
sleep "$idle"
after=$(cpu_ns)
# Resident memory, and its proportional share (shared libraries split among
# the processes that map them).
awk '/^(Rss|Pss):/ {printf "memory with 10,000 memos: %s %.1f MB\n", $1, $2 / 1024}' /proc/$pid/smaps_rollup
awk '/^(Rss|Pss):/ {printf "memory of the minimal window: %s %.1f MB\n", $1, $2 / 1024}' /proc/$minimal_pid/smaps_rollup
kill -TERM "$pid" "$minimal_pid"
wait "$pid" "$minimal_pid" || true
awk -v d="$((after - before))" -v s="$idle" \
    'BEGIN {printf "idle for %d s with 10,000 memos: %.4f %% of one core (%.1f ms on the CPU; target under 0.1 %%)\n", s, 100 * d / 1e9 / s, d / 1e6}'

# 3. Side by side on X. Wake-ups are the times a thread was put on a CPU
# (schedstat's third field). Counted per thread, so a pool thread that ends
# meanwhile (Qt's expire after 30 s idle) takes nothing off the sum.
for tool in Xvfb openbox trayer; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup.sh installs it)"; exit 1; }
done
threads() { # pid file: one "tid ns-on-cpu times-run" line per thread
    for t in /proc/"$1"/task/*; do echo "${t##*/} $(cat "$t/schedstat" 2>/dev/null)"; done >"$2"
}
# before after: "wake-ups ms-on-cpu" between the two samples
delta() {
    awk 'NR == FNR {ns[$1] = $2; n[$1] = $4; next}
         {dns += $2 - ns[$1]; dn += $4 - n[$1]} END {printf "%d %.1f", dn, dns / 1e6}' "$1" "$2"
}
idle_on_x() { # $1: with or without a notification area
    local x wm tray="" program_pid minimal_pid
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" &
    x=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")"
    openbox >/dev/null 2>&1 &
    wm=$!
    if [ "$1" = with ]; then
        trayer >/dev/null 2>&1 &
        tray=$!
    fi
    sleep 1
    QT_QPA_PLATFORM=xcb "$program" >/dev/null 2>&1 &
    program_pid=$!
    QT_QPA_PLATFORM=xcb "$minimal" --idle >/dev/null 2>&1 &
    minimal_pid=$!
    sleep 5
    threads $program_pid "$work/p0"; threads $minimal_pid "$work/m0"
    sleep "$idle"
    threads $program_pid "$work/p1"; threads $minimal_pid "$work/m1"
    kill -TERM $program_pid $minimal_pid
    wait $program_pid $minimal_pid || true
    kill $tray $wm $x 2>/dev/null || true
    wait $tray $wm $x 2>/dev/null || true
    : >"$work/display"
    awk -v p="$(delta "$work/p0" "$work/p1")" -v m="$(delta "$work/m0" "$work/m1")" -v s="$idle" -v how="$1" 'BEGIN {
        split(p, a, " "); split(m, b, " ");
        printf "X, %s a notification area, %d s: program %d wake-ups, %.1f ms CPU; minimal window %d wake-ups, %.1f ms CPU; ratios %.2f and %.2f (target 1.2 or less)\n",
            how, s, a[1], a[2], b[1], b[2], a[1] / b[1], a[2] / b[2] }'
}
unset DBUS_SESSION_BUS_ADDRESS
idle_on_x without
idle_on_x with
