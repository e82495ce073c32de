#!/bin/sh
# Takes the guide's pictures from the project's own screenshot programs, built
# in build/: run it by hand after changing a window; the results are
# committed in help/.
#   resources/make-guide-pictures.sh [build folder]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../build}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
"$build/bench/memolist/memolist_shots" "$shots" >/dev/null 2>&1
"$build/bench/warnings/warning_shots" "$shots" >/dev/null 2>&1
for lang in it en; do
    cp "$shots/memolist-reminder-$lang.png" "$here/help/memolist-$lang.png"
    cp "$shots/alarms-reminder-$lang.png" "$here/help/alarms-$lang.png"
    cp "$shots/memo-Reminder-$lang.png" "$here/help/warning-$lang.png"
    cp "$shots/options-reminder-$lang.png" "$here/help/options-$lang.png"
done
