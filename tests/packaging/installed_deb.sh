#!/bin/sh
# The .deb on this machine, as root: installed with apt-get, started from its
# launcher's Exec line on a virtual X server with a window manager, a memo
# added with F3, the session ended with SIGTERM, started again: the memo is
# read and saved again; the help icon opens the installed guide; apt-get
# remove leaves the user's memos in place.
#   installed_deb.sh <deb>
set -eu
deb=$(realpath "$1")
. "$(dirname "$0")/../desktop.sh"
export DEBIAN_FRONTEND=noninteractive

apt-get install -y -q "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install"; }
desktop=/usr/share/applications/io.github.brivo.Reminder.desktop
desktop-file-validate "$desktop"
appstreamcli validate --no-net /usr/share/metainfo/io.github.brivo.Reminder.metainfo.xml >/dev/null
for size in 16x16 22x22 24x24 32x32 48x48 64x64 128x128 256x256; do
    [ -f /usr/share/icons/hicolor/$size/apps/brivo-reminder.png ] || fail "no $size icon"
done
[ -f /usr/share/icons/hicolor/scalable/apps/brivo-reminder.svg ] || fail "no scalable icon"
# The sound and the calendar are modules loaded at first need: they are there, beside no
# library of the linker's own, and everything they need came with the package.
for name in sound calendar; do
    module=$(dpkg -L brivo-reminder | grep "/brivo-reminder/libbrivo_$name\\.so\$") || fail "no $name module"
    ldd "$module" | grep -q 'not found' && fail "the $name module lacks: $(ldd "$module" | grep 'not found')"
done
# A fresh user with a stub browser that writes down what it gets, the
# desktop's default browser and xdg-open first on PATH.
mkdir -p "$work/home/.config" "$work/home/.local/share/applications" "$work/runtime" "$work/bin"
chmod 700 "$work/runtime"
printf '#!/bin/sh\necho "$@" >>"%s/browser.log"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
printf '[Desktop Entry]\nType=Application\nName=Stub\nExec=%s %%u\n' "$work/bin/xdg-open" \
    >"$work/home/.local/share/applications/stub.desktop"
printf '[Default Applications]\nx-scheme-handler/http=stub.desktop\nx-scheme-handler/https=stub.desktop\n' \
    >"$work/home/.config/mimeapps.list"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" PATH="$work/bin:$PATH"
unset XDG_DATA_HOME XDG_CONFIG_HOME BRIVO_REMINDER_HOME
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ "$(command -v "${exec_line%% *}")" = /usr/bin/brivo-reminder ] || fail "the Exec line does not start /usr/bin/brivo-reminder"

start_desktop
export QT_QPA_PLATFORM=xcb

# Starts the launcher's command and prints the main window once shown.
start() {
    $exec_line >>"$work/program.log" 2>&1 &
    pids="$pids $!"
    id=$(window '^Brivo Reminder$') || fail "no main window"
    [ "$(readlink "/proc/$(xdotool getwindowpid "$id")/exe")" = /usr/bin/brivo-reminder ] || fail "not the installed copy"
    sleep 2 # the start-up logo goes at the first tick
    xdotool windowactivate --sync "$id"
    echo "$id"
}
store="$HOME/.local/share/Brivo Reminder/Store.dat"

id=$(start)
xdotool key F3 && xdotool type --delay 50 "Ritirare il pacco" && xdotool key Return
end "$id"
grep -q '#_NT:Ritirare il pacco' "$store" || fail "the memo was not saved in $store"

# Started again, it holds the memo: the end of the session writes the store
# whole from what the program has.
id=$(start)
[ -n "${SHOTS:-}" ] && import -window root "$SHOTS/installed-second-start.png"
xdotool mousemove --window "$id" --sync 11 134 click 1 # the help icon
for _ in $(seq 40); do [ -s "$work/browser.log" ] && break; sleep 0.25; done
grep -qx /usr/share/brivo-reminder/help/guide.html "$work/browser.log" ||
    fail "the help icon did not open the installed guide: $(cat "$work/browser.log" 2>/dev/null)"
end "$id"
grep -q '#_NT:Ritirare il pacco' "$(dirname "$store")/Store_old.dat" && grep -q '#_NT:Ritirare il pacco' "$store" ||
    fail "the second start lost the memo"
# The installed program finds its calendar module: the memo goes out to a calendar file.
QT_QPA_PLATFORM= brivo-reminder --export-ics "$work/out.ics" >>"$work/program.log" 2>&1 || fail "--export-ics: $(tail -1 "$work/program.log")"
grep -q 'Ritirare il pacco' "$work/out.ics" || fail "the memo is not in the exported calendar"

apt-get remove -y -q brivo-reminder >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get remove"; }
[ ! -e /usr/bin/brivo-reminder ] || fail "the program is still installed"
grep -q '#_NT:Ritirare il pacco' "$store" || fail "apt-get remove took the memos"
echo "PASS: installed, run from its launcher, the memo kept across starts and after apt-get remove"
