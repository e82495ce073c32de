#!/usr/bin/env bash
# Measures, with the program built in build/:
#  1. start to window shown, against a minimal Qt window with a table and a
#     tray icon (both print the clock when shown and end; RUNS runs each);
#  2. the CPU the program uses while idle for IDLE_SECONDS with 1,000 memos.
# Offscreen, with a throw-away home, settings and runtime folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program="$root/build/src/brivo-reminder"
minimal="$root/build/bench/app/bench_minimal_window"
runs=${RUNS:-20}
idle=${IDLE_SECONDS:-60}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen BRIVO_REMINDER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime"

# 1,000 memos spread over the coming days, armed, in the store format.
python3 - "$work/home/Store.dat" <<'PY'
import sys, datetime
base = (datetime.date.today() - datetime.date(1899, 12, 30)).days
with open(sys.argv[1], "wb") as f:
    for i in range(1000):
        line = "#MEMO#\t#_ID:%d\t#TME:1\t#_NT:Promemoria %d\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:%d\t#TOR:1\t#_OR:%s\t#TAN:2\t#_AN:-5\r\n" % (
            i + 1, i + 1, base + 1 + i % 30, repr((i % 1440) / 1440.0).replace(".", ","))
        f.write(line.encode("cp1252"))
PY

median_ms() { # command... : median of $runs runs, in ms, from the start of the
    # command to the "shown <ns>" line it prints once its window is shown
    local times=()
    for _ in $(seq "$runs"); do
        local start shown
        start=$(date +%s%N)
        shown=$("$@" 2>/dev/null | awk '/^shown / {print $2}')
        times+=($(((shown - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "%.1f", a[int((NR+1)/2)]/1000}'
}

"$program" >/dev/null 2>&1 & # warm the caches once
sleep 2; kill -TERM $! ; wait $! || true
program_ms=$(BRIVO_REMINDER_QUIT_WHEN_SHOWN=1 median_ms env BRIVO_REMINDER_QUIT_WHEN_SHOWN=1 "$program")
minimal_ms=$(median_ms "$minimal")
echo "start to window shown: program ${program_ms} ms, minimal window ${minimal_ms} ms (median of $runs)"
awk -v p="$program_ms" -v m="$minimal_ms" 'BEGIN {printf "ratio %.2f (target 1.5 or less)\n", p / m}'

"$program" >/dev/null 2>&1 &
pid=$!
sleep 5 # past the start-up and the first ticks
# Nanoseconds on the CPU, all threads.
cpu_ns() { cat /proc/$pid/task/*/schedstat | awk '{n += $1} END {print n}'; }
before=$(cpu_ns)
sleep "$idle"
after=$(cpu_ns)
kill -TERM "$pid"
wait "$pid" || true
awk -v d="$((after - before))" -v s="$idle" \
    'BEGIN {printf "idle for %d s with 1,000 memos: %.4f %% of one core (%.1f ms on the CPU; target under 0.1 %%)\n", s, 100 * d / 1e9 / s, d / 1e6}'
