#!/usr/bin/env bash
# Starts the host with the test plug-ins, logs in from the command line, lets
# it quit by itself and checks what it left: exit status, trace, screenshot.
# Usage: host_smoke.sh PELMORA_BINARY HOST_DIR OUT_DIR
set -uo pipefail
pelmora=$1 host_dir=$2 out=$3
rm -rf "$out" && mkdir -p "$out/data"
fail() { echo "FAIL: $*"; echo "--- trace"; cat "$out/trace.txt" 2>/dev/null; exit 1; }

# Each start gets a display of its own, so that the windows of tests running
# in parallel never cover the host's (its screenshot shows only the host), and
# no display resets under the host while it connects.
run() {
    PELMORA_BIN_DIR="$host_dir" PELMORA_DATA_DIR="$out/data" PELMORA_USER_DATA_DIR="$out/user" \
        xvfb-run -a -s "-screen 0 1600x1000x24 -noreset" timeout 60 "$pelmora" "$@"
}

run --login "Demo,alice,se,cret" --trace "$out/trace.txt" --exit-after 2 --screenshot "$out/shot.png"
rc=$?
[ "$rc" -eq 0 ] || fail "host exited with $rc"

expect() { grep -Eq "$1" "$out/trace.txt" || fail "no trace line matching: $1"; }
expect '^[0-9]+ page output add TestPage$'
expect '^[0-9]+ output TestPlugin v0\.1 loaded from .*libpelmora_test_plugin\.so\|$'
expect '^[0-9]+ output .*libpelmora_old_plugin\.so: interface version 999, the host needs 1000\|$'
expect '^[0-9]+ output .*libpelmora_no_exports\.so: no GetPluginInterfaceVersion\|$'
expect '^[0-9]+ bus 10001 Demo\|alice\|\*\*\*$'
expect '^[0-9]+ status 0 Account \[alice\]$'
expect '^[0-9]+ output Market Trade\[B1\]\|bought 1 lot$'
expect '^[0-9]+ bus 10004 Demo\|alice\|127\.0\.0\.1:1\|3\|127\.0\.0\.1:2\|3$'
expect '^[0-9]+ page output remove TestPage$'
grep -q "se,cret" "$out/trace.txt" && fail "the password reached the trace"
# The login comes after loading, the page goes only at shut-down.
login=$(grep -n ' bus 10001 ' "$out/trace.txt" | head -1 | cut -d: -f1)
added=$(grep -n ' page output add TestPage' "$out/trace.txt" | head -1 | cut -d: -f1)
removed=$(grep -n ' page output remove TestPage' "$out/trace.txt" | head -1 | cut -d: -f1)
[ "$added" -lt "$login" ] && [ "$login" -lt "$removed" ] || fail "trace lines out of order"

[ -s "$out/shot.png" ] || fail "no screenshot"
head -c 8 "$out/shot.png" | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" || fail "screenshot is no PNG"

# Without --login the login dialog opens; quitting by itself must end it.
run --trace "$out/dialog.txt" --exit-after 2 --screenshot "$out/dialog.png"
rc=$?
[ "$rc" -eq 0 ] || fail "host with the login dialog open exited with $rc"
grep -Eq '^[0-9]+ bus 10000 Demo\|Backup$' "$out/dialog.txt" || fail "the dialog asked for no server names"
grep -q ' bus 10001 ' "$out/dialog.txt" && fail "a login was sent without the user"
[ -s "$out/dialog.png" ] || fail "no screenshot with the dialog"

# A plug-in window left open (a dialog, a message box over a dialog) does not
# stop the exit: the host ends them, the plug-in's code after them runs, then
# the host closes soon after the deadline (its "exit" line; a loaded machine
# may start the timer late) and exits normally.
for user in modal nestedbox; do
    run --login "Demo,$user,x" --trace "$out/$user.txt" --exit-after 2 >"$out/$user.log" 2>&1
    rc=$?
    [ "$rc" -eq 0 ] || { cat "$out/$user.log"; fail "host with a $user window open exited with $rc"; }
    ended=$(grep -n ' output TestPlugin dialog ended|' "$out/$user.txt" | head -1)
    [ -n "$ended" ] || { cat "$out/$user.txt"; fail "the $user window never returned"; }
    stamp=$(cut -d: -f2- <<<"$ended" | cut -d' ' -f1)
    exit_at=$(grep -E '^[0-9]+ exit$' "$out/$user.txt" | head -1 | cut -d' ' -f1)
    [ -n "$exit_at" ] && [ "$exit_at" -ge 2000 ] || fail "the $user host traced no exit at the deadline"
    [ "$stamp" -ge "$exit_at" ] && [ "$stamp" -lt $((exit_at + 3000)) ] ||
        fail "the $user window ended at $stamp ms, not at the exit ($exit_at ms)"
    removed=$(grep -n ' page output remove TestPage' "$out/$user.txt" | head -1 | cut -d: -f1)
    [ -n "$removed" ] && [ "$(cut -d: -f1 <<<"$ended")" -lt "$removed" ] || fail "the plug-in went before its $user window returned"
done

# A bad command line is refused with a message, not a hang.
run --login "nocommas" --exit-after 1 >"$out/bad.txt" 2>&1 && fail "malformed --login accepted"
grep -q "SERVER,USER,PASSWORD" "$out/bad.txt" || fail "no message for a malformed --login"
echo "host smoke test passed"
