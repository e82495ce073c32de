#!/bin/sh
# The .deb as Debian's checker sees it: made by CPack from a built tree into a
# folder of its own, then lintian over it; any error (an "E:" line) fails. The
# version of the package is the program's own --version.
#   lintian_deb.sh <cpack> <build folder> <program>
set -eu
cpack=$1 build=$2 program=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cpack" --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log"
    echo "FAIL: cpack"
    exit 1
}
deb=$(ls "$work"/brivo-reminder_*.deb)

# Every tag, so the log shows warnings and notes too; errors alone fail, and
# so does a lintian that could not check.
status=0
lintian --no-cfg --display-info --pedantic --fail-on error "$deb" >"$work/lintian.log" 2>&1 || status=$?
cat "$work/lintian.log"
if [ $status -ne 0 ] || grep -q '^E:' "$work/lintian.log"; then
    echo "FAIL: lintian errors (status $status)"
    exit 1
fi

version=$(dpkg-deb -f "$deb" Version)
said=$("$program" --version)
[ "$said" = "Brivo Reminder ${version%-*}" ] || { echo "FAIL: package $version, program says \"$said\""; exit 1; }

# What Debian looks for by name, as dpkg would install it.
dpkg-deb -x "$deb" "$work/root"
doc=$work/root/usr/share/doc/brivo-reminder
for f in "$doc/copyright" "$doc/changelog.Debian.gz" "$work/root/usr/share/man/man1/brivo-reminder.1.gz"; do
    [ -f "$f" ] || { echo "FAIL: no ${f#"$work/root"}"; exit 1; }
done
gzip -dc "$doc/changelog.Debian.gz" | head -n 1 | grep -q "^brivo-reminder ($version) " ||
    { echo "FAIL: the changelog's newest entry is not $version"; exit 1; }
echo "PASS: lintian without errors, package and program at $version"
