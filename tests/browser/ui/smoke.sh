#!/usr/bin/env bash
# Starts the program, lets it load and paint, then asks it to end as a session manager would.
# It must still be running at that point and must exit cleanly. It runs in a network namespace of
# its own with only loopback up, so it could reach nothing, and it ends at 2 s, long before the
# first list refresh at 9 s. Where no such namespace can be made it is skipped (status 77).
set -u
isolate=(unshare --net)
[ "$(id -u)" -eq 0 ] || isolate=(unshare --user --map-root-user --net)
if ! why=$("${isolate[@]}" true 2>&1); then
    echo "skipped: no network namespace of its own can be made here: $why"
    exit 77
fi
"${isolate[@]}" sh -c 'ip link set lo up 2>/dev/null; exec "$0"' "$1" &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    echo "velberd ended on its own with status $?"
    exit 1
fi
kill -TERM "$pid"
wait "$pid"
status=$?
echo "velberd exited with status $status"
[ "$status" -eq 0 ]
