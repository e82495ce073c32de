#!/bin/bash
# The real program under Xvfb and openbox with stub programs first on PATH
# that record their arguments: the mail icon and its link hand exactly the
# subject and the CR LF body to xdg-email; the help icon hands the guide's
# address, which holds a blank, ";" and "$()", to the desktop's default
# browser as one argument, unexpanded; a mail program that is missing, and
# a browser that cannot start, give the program's error texts.
#   mail_and_browser.sh <program>
set -eu
program=$1
. "$(dirname "$0")/../desktop.sh"
fail() {
    echo "FAIL: $*" >&2
    cat "$work/boxes.log" "$work/program.log" >&2 2>/dev/null || true
    exit 1
}
# Waits until a file holds a line matching a pattern.
wait_for() {
    for _ in $(seq 50); do grep -q -- "$2" "$1" 2>/dev/null && return 0; sleep 0.2; done
    return 1
}

mkdir -p "$work/bin" "$work/home" "$work/config/Brivo" "$work/data/applications" "$work/runtime"
chmod 700 "$work/runtime"
for stub in xdg-email stub-browser; do
    printf '#!/bin/sh\nfor a in "$@"; do printf "%%s\\n" "$a"; done >"%s/%s.args"\nexit $(cat "%s/exit" 2>/dev/null || echo 0)\n' \
        "$work" "$stub" "$work" >"$work/bin/$stub"
    chmod +x "$work/bin/$stub"
done
printf '[Desktop Entry]\nType=Application\nName=Stub\nExec=stub-browser --new-window %%u\n' \
    >"$work/data/applications/stub-browser.desktop"
printf '[Default Applications]\nx-scheme-handler/http=stub-browser.desktop\nx-scheme-handler/https=stub-browser.desktop\n' \
    >"$work/config/mimeapps.list"
printf '[Brivo%%20Reminder]\nImpostazioni\\Lingua_attuale=Italiano (Italia)\n' >"$work/config/Brivo/BrivoReminder.ini"
# A portable copy in a folder whose name holds a blank, ";" and "$()": the
# guide beside it has them in its address.
odd="$work/a b;\$(touch pwned)"
mkdir -p "$odd"
cp -r "$program" "$(dirname "$program")/help" "$odd/"

start_desktop

cd "$work"
env PATH="$work/bin:$PATH" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 BRIVO_REMINDER_HOME="$work/home" \
    XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_RUNTIME_DIR="$work/runtime" BRIVO_REMINDER_BOX_LOG="$work/boxes.log" "$odd/$(basename "$program")" >"$work/program.log" 2>&1 &
pids="$pids $!"

main=""
for _ in $(seq 50); do
    main=$(xdotool search --onlyvisible --name '^Brivo Reminder$' 2>/dev/null | head -n 1) && [ -n "$main" ] && break
    sleep 0.2
done
[ -n "$main" ] || fail "no main window"
sleep 2 # the start-up logo goes at the first tick
# Clicks a point of the window named by a title, once it shows.
click() {
    local id=""
    for _ in $(seq 50); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || fail "no window $1"
    xdotool mousemove --window "$id" --sync "$2" "$3" click 1
}
mail_icon() { click '^Brivo Reminder$' 11 115; }
help_icon() { click '^Brivo Reminder$' 11 134; }
mail_link() { click '^E-mail$' 230 137; }

# The mail: subject and body decoded from the mailto: address it was handed.
mail_icon
mail_link
wait_for "$work/xdg-email.args" '^mailto:' || fail "xdg-email was not called"
[ "$(wc -l <"$work/xdg-email.args")" -eq 1 ] || fail "xdg-email took more than the address: $(cat "$work/xdg-email.args")"
decode() { printf '%b' "$(sed -n "s/.*[?&]$1=\\([^&]*\\).*/\\1/p" "$work/xdg-email.args" | sed 's/%\(..\)/\\x\1/g')"; }
[ "$(decode subject)" = "Programma BrivoReminder" ] || fail "subject: $(decode subject)"
expected=$(printf 'Ho trovato questo fantastico programmino, utilissimo per evitare di\r\ndimenticarsi le attività della giornata!.\r\nE'"'"' gratuito e lo  installi in un attimo scaricandolo direttamente da \r\nhttps://www.example.org/brivo-reminder/download.html')
[ "$(decode body)" = "$expected" ] || fail "body: $(decode body | od -c | head)"
echo "the mail reached xdg-email with its subject and its CR LF body"

# No mail program: the error box, then the window closes.
echo 3 >"$work/exit"
mail_icon
mail_link
wait_for "$work/boxes.log" 'MapiLogOn error 00000001)' || fail "no box for a missing mail program"
echo 0 >"$work/exit"
echo "a missing mail program gave its box"

# The guide's address: one argument after the browser's own, unexpanded.
help_icon
wait_for "$work/stub-browser.args" 'guida.html' || fail "the browser was not started"
[ "$(cat "$work/stub-browser.args")" = "--new-window
$odd/help/guida.html" ] || fail "browser arguments: $(cat "$work/stub-browser.args")"
[ ! -e "$work/pwned" ] || fail "a shell read the address"
echo "the browser got the address as one argument"

# A browser that cannot start: still there for the desktop's own look-up,
# its interpreter is gone.
printf '#!/no/such/shell\n' >"$work/bin/stub-browser"
help_icon
wait_for "$work/boxes.log" "Errore: Non e' possibile avviare il Browser predefinito" ||
    fail "no box for a browser that cannot start"
echo "PASS: mail and browser handed over, their failures told"
