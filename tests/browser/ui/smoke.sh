#!/usr/bin/env bash
# Starts the program, lets it load and paint, then asks it to end as a session manager would.
# It must still be running at that point and must exit cleanly. Ends at 2 s, long before the
# first list refresh at 9 s, so it contacts nothing.
set -u
"$1" &
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
