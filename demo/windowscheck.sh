# The demo's Windows check, sourced by scripts/demo once the demo network is up: the Windows
# build, run under Wine on a virtual display inside the player's namespace, as a player on
# Windows runs it. Dorrick writes dirs.txt, the tour checks the list, the details, the ping, Join
# and the character editor through the Windows services, velberd.exe itself is clicked through a
# Join, and `wine reg query` reads back what the character editor wrote.
# Uses from scripts/demo: player, folder, windowsBin, servers, pids.

inPlayer() { ip netns exec "$player" env DISPLAY="$display" "$@"; }
failed() { echo "FAILED: $*" >&2; exit 1; }

# The program folder as the portable zip lays it out, with the stand-in game under both names.
cp -r "$windowsBin/." "$folder/"
rm -f "$folder"/*_tests.exe "$folder"/velberd-argv-recorder.exe
cp "$windowsBin/velberd-demo-game.exe" "$folder/jazz2.exe"
cp "$windowsBin/velberd-demo-game.exe" "$folder/jazz2tsf.exe"
windowsFolder="Z:${folder//\//\\}"

# A display of the namespace's own; no window manager, so a window's client area starts at its origin.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$folder/display" ] && break; sleep 0.1; done
display=:$(cat "$folder/display")
[ "$display" != : ] || failed "Xvfb did not start"

export WINEPREFIX=$folder/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
inPlayer wine wineboot --init >/dev/null 2>&1
# The player's settings as the game leaves them, for the character editor to read and change.
for key in 'Jazz Jackrabbit 2\1.23' 'Jazz Jackrabbit 2 Special Edition\1.24'; do
    path="HKEY_USERS\\.Default\\Software\\Epic MegaGames\\$key\\Player0"
    inPlayer wine reg add "$path" /v Char /t REG_BINARY /d 37000000 /f >/dev/null
    inPlayer wine reg add "$path" /v Color /t REG_BINARY /d 10203040 /f >/dev/null
    inPlayer wine reg add "$path" /v Name /t REG_SZ /d Jazz /f >/dev/null
done

# Waits for a top-level window whose title matches $1 and prints its id.
windowOf() {
    local id
    for _ in $(seq 300); do
        id=$(inPlayer xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ] && {
            echo "$id"
            return 0
        }
        sleep 0.1
    done
    failed "no window named '$1' appeared"
}
clickAt() { inPlayer xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

# Dorrick: the two game paths typed over the defaults in its boxes, then "Save" (positions at 96 DPI).
inPlayer wine "$folder/dorrick.exe" &
dorrickPid=$!
pids+=($dorrickPid)
dorrick=$(windowOf '^Dorrick - Velberd$')
sleep 1
clickAt "$dorrick" 140 17
inPlayer xdotool key ctrl+a
inPlayer xdotool type --delay 30 "$windowsFolder\\jazz2.exe"
clickAt "$dorrick" 140 41
inPlayer xdotool key ctrl+a
inPlayer xdotool type --delay 30 "$windowsFolder\\jazz2tsf.exe"
clickAt "$dorrick" 276 28
for _ in $(seq 50); do [ -s "$folder/dirs.txt" ] && break; sleep 0.1; done
expected=$(printf '%s\r\n%s\r\n' "$windowsFolder\\jazz2.exe" "$windowsFolder\\jazz2tsf.exe")
[ "$(cat "$folder/dirs.txt")" = "$expected" ] || failed "Dorrick wrote: $(cat -A "$folder/dirs.txt" 2>&1)"
echo "dorrick.exe wrote dirs.txt: $(tr -d '\r' <"$folder/dirs.txt" | tr '\n' ' ')"
# Ended, so that no window lies over Velberd's.
{ kill -KILL "$dorrickPid" && wait "$dorrickPid"; } 2>/dev/null || true

# The tour: the real window with the real Windows services, on the windows platform plugin.
# Into a file, not a pipe: the stand-in game it starts holds its output open.
inPlayer wine "$folder/velberd-demo-tour.exe" --check "$servers" >"$folder/tour.raw" 2>&1 || true
tr -d '\r' <"$folder/tour.raw" >"$folder/tour.log"
grep -v '^QStandardPaths' "$folder/tour.log"
grep -q '^demo tour passed$' "$folder/tour.log" || failed "the tour under Wine failed"
grep -qF "game started as: $windowsFolder\\jazz2tsf.exe -nospy -fullscreen -sound -connect 192.0.2.17" \
    "$folder/tour.log" || failed "the tour's Join did not start the TSF game that Dorrick recorded"
# The stand-in game's box, which would lie over Velberd's window.
pkill -KILL -f 'jazz2tsf\.exe' || true

# What the character editor wrote, read back through Wine's registry.
key='HKEY_USERS\.Default\Software\Epic MegaGames\Jazz Jackrabbit 2\1.23\Player0'
query=$(inPlayer wine reg query "$key" | tr -d '\r')
for value in 'Name    REG_SZ    Tour' 'Color    REG_BINARY    0A0B0C0D' 'Char    REG_BINARY    55000000'; do
    grep -qF "$value" <<<"$query" || failed "wine reg query lacks '$value': $query"
done
echo "wine reg query reads back the character editor's name, colours and character"

# velberd.exe itself: the list arrives at its first refresh, the first row is clicked, then "Join".
: >"$folder/launches.txt"
inPlayer wine "$folder/velberd.exe" &
pids+=($!)
velberd=$(windowOf '^Velberd v')
sleep 12
clickAt "$velberd" 60 24
sleep 2
inPlayer xwd -silent -id "$velberd" | convert xwd:- "$repo/build/windows/velberd-windows.png"
echo "wrote build/windows/velberd-windows.png"
clickAt "$velberd" 429 284
for _ in $(seq 100); do grep -q connect "$folder/launches.txt" && break; sleep 0.1; done
launch=$(tr -d '\r' <"$folder/launches.txt")
echo "velberd.exe started the game as: $launch"
[[ "$launch" == "$windowsFolder\\jazz2tsf.exe -nospy -fullscreen -sound -connect 192.0.2.17" ]] ||
    failed "velberd.exe's Join did not start the game Dorrick recorded with the first server"
echo "the Windows check passed"
