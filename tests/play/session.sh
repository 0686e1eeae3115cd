# Shared by the real-window play tests: a fresh working folder, Xvfb, the game, and the hands of
# a player (xdotool). Source it after setting game_dir, build_dir and shots.

work=$(mktemp -d)
trap 'kill "${game_pid:-0}" "${xvfb_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "${test_name:-play}: FAILED: $*"; exit 1; }
step() { echo "${test_name:-play}: $*"; }

# The content, no saved data: links to the built game's folders.
link_content() { for d in images sounds skin language; do ln -s "$game_dir/$d" "$work/$d"; done; }

# Xvfb picks a free display itself and names it once it is ready (a display number chosen here
# could be held by another server, or by the lock file of a dead one).
start_display() {
    local named="$work/display-number" _
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$named" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
        [ -s "$named" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start"
        sleep 0.1
    done
    [ -s "$named" ] || fail "Xvfb named no display"
    display_number=$(tr -dc 0-9 <"$named")
    export DISPLAY=":$display_number"
}

# Unzips the Windows package $1 into the scratch folder; the game's folder in $game.
unpack_windows_package() {
    unzip -q "$1" -d "$work"
    game="$work/brixel"
    [ -f "$game/brixel.exe" ] || fail "no brixel.exe in the package"
}

start_game() {
    (cd "$work" && exec "$game_dir/brixel") >"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
    find_game_window "${1:-^brixel$}" 30
    sleep 3
}

# Sets $window to the game's window (title pattern $1, each search up to $2 seconds). A window
# that goes away while the search looks at it (the platform makes short-lived ones while it
# starts) fails the search; the next try finds the game's own.
find_game_window() {
    window=""
    for _ in 1 2 3; do
        window=$(timeout "$2" xdotool search --sync --name "$1" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && return 0
        sleep 1
    done
    fail "no window"
}

# A top-level window by its exact title, spaces and all, also where xdotool cannot read the
# title (a UTF-8 title, as SDL's message box on X sets it); waits up to $2 seconds. Answers its
# id.
window_titled() {
    local id
    for _ in $(seq 1 "${2:-30}"); do
        id=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\":" 'index($0, t) {print $1; exit}')
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 1
    done
    return 1
}

# Answers a message box: Return, and if it is still there a click on its OK button, centred at
# the bottom of the box.
answer_box() {
    xdotool windowactivate --sync "$1" 2>/dev/null || true
    xdotool key --window "$1" Return 2>/dev/null || true
    sleep 1
    local geometry
    geometry=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null) || return 0
    [ -n "$geometry" ] || return 0 # answered already
    eval "$geometry"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 25)) click 1 2>/dev/null || true
}

# Waits for the game's own end; answers its exit status.
wait_game_end() {
    for _ in $(seq 1 "${1:-40}"); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end"
    local status=0
    wait "$game_pid" || status=$?
    return "$status"
}

# Positions are back-buffer pixels of the 1024 x 768 picture, relative to the window.
# The window may be smaller than the picture (it fits the screen's work area); the picture is
# then scaled into it, letterboxed.
click() {
    local geometry x y
    geometry=$(xdotool getwindowgeometry --shell "$window")
    read -r x y < <(eval "$geometry"; awk -v px="$1" -v py="$2" -v w="$WIDTH" -v h="$HEIGHT" 'BEGIN {
        s = w / 1024 < h / 768 ? w / 1024 : h / 768
        printf "%d %d\n", (w - 1024 * s) / 2 + px * s, (h - 768 * s) / 2 + py * s }')
    xdotool mousemove --window "$window" "$x" "$y"; sleep 0.3; xdotool click 1; sleep "${3:-1}"
}
key() { xdotool key "$@"; sleep 0.4; }
shot() {
    [ -n "${shots:-}" ] || return 0
    mkdir -p "$shots"
    import -window "${window:-root}" "$shots/$1.png" 2>/dev/null || true
}
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended early: $(cat "$work/game.log")"; }

# Soft drop held until the board is full. A landing ends the soft drop, so the key is pressed
# again all the time: released and at once pressed again, it stays held in every frame.
drop_until_lost() {
    xdotool keydown Down
    for _ in $(seq 1 "$1"); do xdotool keyup Down keydown Down; sleep 0.1; done
    xdotool keyup Down
}

# From the main menu: Escape (the end button's key), then any key ends the credits.
end_through_credits() {
    key Escape
    sleep 3
    shot credits
    key q
}

# F11, then the end through the credits; the game must end with exit status 0 (within
# $1 half-seconds).
screenshot_and_end() {
    key F11
    sleep 1
    end_through_credits
    local status=0
    wait_game_end "${1:-40}" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"
}

profile_check="$build_dir/tools/profile-check/profile-check"

# What a player finds in the game's folder after a session with one game of player 1 and an F11:
# no error report, the settings with their 15 keys, both profiles whole, player 1's game
# counted, a screenshot that is not blank.
check_saved_files() {
    local folder=$1
    [ ! -e "$folder/DirectX Fehler.txt" ] ||
        fail "an error was logged: $(cat "$folder/DirectX Fehler.txt")"
    local ini="$folder/data/brixel.ini"
    [ -f "$ini" ] || fail "no data/brixel.ini"
    local keys
    keys=$(grep -c '=' "$ini")
    [ "$keys" -eq 15 ] || fail "data/brixel.ini holds $keys keys, not 15"
    "$profile_check" "$folder/data/Spieler 1.user" "$folder/data/Spieler 2.user" ||
        fail "a profile is damaged"
    "$profile_check" "$folder/data/Spieler 1.user" | grep -q 'gamesPlayed=[1-9]' ||
        fail "player 1's statistics did not grow"
    local picture colours
    picture=$(ls "$folder"/File\ *.bmp 2>/dev/null | head -n 1)
    [ -n "$picture" ] || fail "F11 wrote no screenshot"
    colours=$(od -An -tx1 -j54 -N400000 "$picture" | tr -s ' ' '\n' | sort -u | wc -l)
    [ "$colours" -gt 16 ] || fail "the screenshot is blank ($colours byte values)"
}
