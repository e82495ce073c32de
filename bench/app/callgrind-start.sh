#!/usr/bin/env bash
# Instructions of one start to its first painted frame, under callgrind, offscreen:
#   bench/app/callgrind-start.sh [MEMOS [PROGRAM [OUT]]]
# MEMOS (10,000 unless given) memos in the store of a throw-away home;
# PROGRAM is build/src/brivo-reminder unless given. Prints the total and the
# functions of the program's own code that cost the most, inclusive; OUT, when
# given, keeps callgrind's file for callgrind_annotate or kcachegrind.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
memos=${1:-10000}
program=${2:-$root/build/src/brivo-reminder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
python3 - "$work/home/Store.dat" "$memos" <<'PY'
import sys, datetime
base = (datetime.date.today() - datetime.date(1899, 12, 30)).days
with open(sys.argv[1], "wb") as f:
    for i in range(int(sys.argv[2])):
        line = "#MEMO#\t#_ID:%d\t#TME:1\t#_NT:Promemoria %d\t#_ES:0\t#_AT:1\t#TDT:1\t#_DT:%d\t#TOR:1\t#_OR:%s\t#TAN:2\t#_AN:-5\r\n" % (
            i + 1, i + 1, base + 1 + i % 365, repr((i % 1440) / 1440.0).replace(".", ","))
        f.write(line.encode("cp1252"))
PY
QT_QPA_PLATFORM=offscreen BRIVO_REMINDER_HOME="$work/home" XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime" BRIVO_REMINDER_QUIT_WHEN_SHOWN=1 \
    valgrind --tool=callgrind --callgrind-out-file="$work/out" "$program" >/dev/null 2>"$work/log"
[ -n "${3:-}" ] && cp "$work/out" "$3"
grep -E 'Collected' "$work/log" | sed 's/^==[0-9]*== //'
callgrind_annotate --inclusive=yes "$work/out" 2>/dev/null |
    grep -E 'MemoGrid|TA_DBStringGrid::|GridCellModel|StoreFile|MemoCellTexts|fillMemoData|TfrmReminder::|readStore|QDateTime|dateTimeToString' |
    head -25
