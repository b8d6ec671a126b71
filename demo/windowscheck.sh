# The demo's Windows check, sourced by scripts/demo once the demo network is up: the Windows
# build, run under Wine on a virtual display inside the player's namespace, as a player on
# Windows runs it. Dorrick writes dirs.txt, the tour checks the list, the details, the ping, Join
# and the character editor through the Windows services, `wine reg query` reads back what the
# character editor wrote, and velberd.exe itself is clicked through a Join at 100 %, 150 % and
# 200 % scaling, with a picture of each.
# Each step waits for the state it needs (a window shown and drawn, a file written, the list
# drawn), for at most a minute, which only a hang outlasts on a busy machine. The check ends only
# the processes it started, by their ids.
# Uses from scripts/demo: player, folder, windowsBin, servers, pids, repo.

inPlayer() { ip netns exec "$player" env DISPLAY="$display" "$@"; }
# Starts a program in the background, as it is and not in a subshell, so that $started is its own id.
startInPlayer() {
    ip netns exec "$player" env DISPLAY="$display" "$@" &
    started=$!
    pids+=("$started")
}
# The last picture taken stays, for a look at what the check saw.
failed() {
    echo "FAILED: $*" >&2
    [ ! -f "${picture:-}" ] || cp "$picture" "$repo/build/windows/failed.png"
    exit 1
}

# Runs the rest until it succeeds; a minute without success is a hang, which $1 names.
waitFor() {
    local what=$1 deadline=$((SECONDS + 60))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || failed "$what (waited a minute)"
        sleep 0.2
    done
}

# The program folder as the portable zip lays it out, with the stand-in game under both names.
cp -r "$windowsBin/." "$folder/"
rm -f "$folder"/*_tests.exe "$folder"/velberd-argv-recorder.exe
cp "$windowsBin/velberd-demo-game.exe" "$folder/jazz2.exe"
cp "$windowsBin/velberd-demo-game.exe" "$folder/jazz2tsf.exe"
windowsFolder="Z:${folder//\//\\}"

# A display of the namespace's own; no window manager, so a window's client area starts at its origin.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$folder/display" 2>/dev/null &
pids+=("$!")
waitFor "Xvfb did not start" test -s "$folder/display"
display=:$(cat "$folder/display")

export WINEPREFIX=$folder/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
inPlayer timeout 60 wine wineboot --init >/dev/null 2>&1 || failed "Wine's prefix was not made within a minute"
# The player's settings as the game leaves them, for the character editor to read and change.
for key in 'Jazz Jackrabbit 2\1.23' 'Jazz Jackrabbit 2 Special Edition\1.24'; do
    path="HKEY_USERS\\.Default\\Software\\Epic MegaGames\\$key\\Player0"
    for value in 'Char /t REG_BINARY /d 37000000' 'Color /t REG_BINARY /d 10203040' 'Name /t REG_SZ /d Jazz'; do
        # shellcheck disable=SC2086 # the value's words are reg's arguments
        inPlayer wine reg add "$path" /v $value /f >/dev/null || failed "wine reg add $path $value failed"
    done
done

# Prints the id of the mapped, viewable top-level window whose title matches $1.
shownWindow() {
    local id
    id=$(inPlayer xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [ -n "$id" ] && echo "$id"
}
noWindow() { ! shownWindow "$1" >/dev/null; }

# Takes a picture of the window titled $1 into $2. Wine may replace a window's X window, so the
# window is looked up anew for every picture.
takePicture() {
    local id
    id=$(shownWindow "$1") || return 1
    inPlayer xwd -silent -id "$id" >"$folder/picture.xwd" 2>/dev/null && convert "xwd:$folder/picture.xwd" "$2"
}

# Positions are the layout's pixels at 100 %, scaled as Qt scales the window: by $dpi / 96.
at() { echo $(($1 * dpi / 96)); }

# How many colours the picture $1 has in the rectangle $2 x $3 at $4, $5 (layout pixels): one while
# nothing is drawn there.
coloursIn() { convert "$1" -crop "$(at "$2")x$(at "$3")+$(at "$4")+$(at "$5")" +repage -format %k info:; }
pixel() { convert "$1" -format "%[pixel:p{$(at "$2"),$(at "$3")}]" info:; }
drawn() { takePicture "$1" "$folder/drawn.png" && [ "$(convert "$folder/drawn.png" -format %k info:)" -gt 16 ]; }
clickAt() {
    local id
    id=$(shownWindow "$1") || return 1
    inPlayer xdotool mousemove --window "$id" "$(at "$2")" "$(at "$3")" click 1
}

# Dorrick: the two game paths typed over the defaults in its boxes, then "Save" (positions at 96 DPI).
# A key pressed before Wine has the keyboard focus goes nowhere, so the paths are typed again until
# the file that Save wrote holds them.
dpi=96
expected=$(printf '%s\r\n%s\r\n' "$windowsFolder\\jazz2.exe" "$windowsFolder\\jazz2tsf.exe")
typePath() {
    clickAt '^Dorrick - Velberd$' "$1" "$2" &&
        inPlayer xdotool key ctrl+a &&
        inPlayer xdotool type --delay 30 "$3"
}
savePaths() {
    rm -f "$folder/dirs.txt"
    typePath 140 17 "$windowsFolder\\jazz2.exe" && typePath 140 41 "$windowsFolder\\jazz2tsf.exe" &&
        clickAt '^Dorrick - Velberd$' 276 28 || return 1
    waitFor "dorrick.exe did not write dirs.txt" test -s "$folder/dirs.txt"
    [ "$(cat "$folder/dirs.txt")" = "$expected" ] || {
        echo "dorrick.exe saved $(tr -d '\r' <"$folder/dirs.txt" | tr '\n' ' '); typing again"
        return 1
    }
}
startInPlayer wine "$folder/dorrick.exe"
dorrickPid=$started
waitFor "Dorrick's window was not drawn" drawn '^Dorrick - Velberd$'
waitFor "dorrick.exe did not save the typed paths" savePaths
echo "dorrick.exe wrote dirs.txt: $(tr -d '\r' <"$folder/dirs.txt" | tr '\n' ' ')"
# Ended, so that no window lies over Velberd's.
kill -KILL "$dorrickPid" || failed "dorrick.exe ended before the check closed it"
wait "$dorrickPid" 2>/dev/null || true
waitFor "Dorrick's window stayed" noWindow '^Dorrick - Velberd$'

# The stand-in game that Join started, ended by its own (Windows) process id, so that its box does
# not lie over Velberd's window.
gameWindow='^Jazz Jackrabbit 2 \(stand-in\)$'
endGame() {
    waitFor "the stand-in game wrote no process id" test -s "$folder/standingame.pid"
    inPlayer wine taskkill /pid "$(cat "$folder/standingame.pid")" /f >/dev/null 2>&1 ||
        failed "taskkill did not end the stand-in game"
    rm "$folder/standingame.pid"
    waitFor "the stand-in game's box stayed" noWindow "$gameWindow"
}

# The tour: the real window with the real Windows services, on the windows platform plugin.
# Into a file, not a pipe: the stand-in game it starts holds its output open.
inPlayer wine "$folder/velberd-demo-tour.exe" --check "$servers" >"$folder/tour.raw" 2>&1 || true
tr -d '\r' <"$folder/tour.raw" >"$folder/tour.log"
grep -v '^QStandardPaths' "$folder/tour.log"
grep -q '^demo tour passed$' "$folder/tour.log" || failed "the tour under Wine failed"
grep -qF "game started as: $windowsFolder\\jazz2tsf.exe -nospy -fullscreen -sound -connect 192.0.2.17" \
    "$folder/tour.log" || failed "the tour's Join did not start the TSF game that Dorrick recorded"
cp "$folder/players-window.png" "$repo/build/windows/players-window-windows.png" ||
    failed "the tour under Wine left no picture of the players window"
echo "wrote build/windows/players-window-windows.png"
endGame

# What the character editor wrote, read back through Wine's registry.
key='HKEY_USERS\.Default\Software\Epic MegaGames\Jazz Jackrabbit 2\1.23\Player0'
query=$(inPlayer wine reg query "$key" | tr -d '\r')
for value in 'Name    REG_SZ    Tour' 'Color    REG_BINARY    0A0B0C0D' 'Char    REG_BINARY    55000000'; do
    grep -qF "$value" <<<"$query" || failed "wine reg query lacks '$value': $query"
done
echo "wine reg query reads back the character editor's name, colours and character"

# velberd.exe itself, as the player sees it. Layout pixels at 100 %: the list's rows are 13 high
# from 18, 10 to 158 wide; the server details' values lie at 273 to 441, 24 apart from 16.
velberdWindow='^Velberd v'
picture=$folder/velberd.png
# The eleventh row is drawn, inside the list (at its first refresh, about nine seconds after start).
listShown() { takePicture "$velberdWindow" "$picture" && [ "$(coloursIn "$picture" 80 10 12 149)" -gt 1 ]; }
# A value wider than "x" shows in the details' row $1.
valueShown() { [ "$(coloursIn "$picture" 150 12 275 $((16 + 24 * $1 + 3)))" -gt 1 ]; }
# The first server is selected and marked (its row is not the colour of the second), with its name,
# host name, ping and probable hosts. Each refresh of the list clears the selection, so the first
# row is clicked again whenever it is not marked.
firstServerShown() {
    takePicture "$velberdWindow" "$picture" || return 1
    if [ "$(pixel "$picture" 150 24)" = "$(pixel "$picture" 150 37)" ]; then
        clickAt "$velberdWindow" 60 24
        return 1
    fi
    valueShown 0 && valueShown 7 && valueShown 8 && valueShown 9
}
launched() { grep -q connect "$folder/launches.txt"; }

for dpi in 96 144 192; do
    name=velberd-windows.png
    [ "$dpi" = 96 ] || name=velberd-windows-$((dpi * 100 / 96)).png
    inPlayer wine reg add 'HKEY_CURRENT_USER\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
        failed "wine reg add of LogPixels $dpi failed"
    : >"$folder/launches.txt"
    startInPlayer wine "$folder/velberd.exe"
    velberdPid=$started
    waitFor "velberd.exe's window at $dpi DPI was not drawn" drawn "$velberdWindow"
    waitFor "velberd.exe at $dpi DPI did not show eleven servers" listShown
    waitFor "velberd.exe at $dpi DPI did not show the first server selected with its details" firstServerShown
    cp "$picture" "$repo/build/windows/$name"
    echo "wrote build/windows/$name"
    clickAt "$velberdWindow" 429 284
    waitFor "velberd.exe's Join at $dpi DPI started no game" launched
    launch=$(tr -d '\r' <"$folder/launches.txt")
    echo "velberd.exe at $dpi DPI started the game as: $launch"
    [[ "$launch" == "$windowsFolder\\jazz2tsf.exe -nospy -fullscreen -sound -connect 192.0.2.17" ]] ||
        failed "velberd.exe's Join did not start the game Dorrick recorded with the first server"
    endGame
    kill -KILL "$velberdPid" || failed "velberd.exe at $dpi DPI ended before the check closed it"
    wait "$velberdPid" 2>/dev/null || true
    waitFor "velberd.exe's window stayed" noWindow "$velberdWindow"
done
echo "the Windows check passed"
