#!/usr/bin/env bash
# Starts the program, lets it load and paint, then asks it to end as a session manager would.
# It must still be running at that point and must exit cleanly. It runs in a network namespace of
# its own with only loopback up, so it could reach nothing. It is asked to end once it handles
# SIGTERM, however long a busy machine takes to get it there (up to a minute, to catch a hang),
# and a second later; the first list refresh would come 9 s after start. Where no such namespace
# can be made it is skipped (status 77).
set -u
isolate=(unshare --net)
[ "$(id -u)" -eq 0 ] || isolate=(unshare --user --map-root-user --net)
if ! why=$("${isolate[@]}" true 2>&1); then
    echo "skipped: no network namespace of its own can be made here: $why"
    exit 77
fi
program=$(readlink -f "$1")
"${isolate[@]}" sh -c 'ip link set lo up 2>/dev/null; exec "$0"' "$program" &
pid=$!

# The program, not the shell before it, catches SIGTERM: bit 15 of its caught-signal mask.
handles_term() {
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null)" = "$program" ] || return 1
    local mask
    mask=$(awk '/^SigCgt:/ { print $2 }' "/proc/$pid/status" 2>/dev/null)
    [ -n "$mask" ] && (((16#$mask >> 14) & 1))
}
for _ in $(seq 600); do
    handles_term && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
sleep 1
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "velberd ended on its own with status $?"
    exit 1
fi
if ! handles_term; then
    echo "velberd did not come to handle SIGTERM within a minute"
    kill -KILL "$pid"
    exit 1
fi
kill -TERM "$pid"
wait "$pid"
status=$?
echo "velberd exited with status $status"
[ "$status" -eq 0 ]
