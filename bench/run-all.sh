#!/usr/bin/env bash
# Every benchmark of bench/README.md, after a build in build/: the Google
# Benchmark programs with three repetitions each (their medians), then the
# real program's start-up and idle cost (bench/app/run.sh). The load average
# before each says how busy the machine was.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/build/bench"
for b in store/bench_store engine/bench_engine grid/bench_grid memolist/bench_memolist sync/bench_sync; do
    echo "== $b (load $(cut -d' ' -f1-3 /proc/loadavg))"
    QT_QPA_PLATFORM=offscreen "./$b" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
        grep -E '^BM_.*_median'
done
echo "== app/run.sh (load $(cut -d' ' -f1-3 /proc/loadavg))"
bash "$root/bench/app/run.sh"
