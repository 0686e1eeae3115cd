# Shared by the real-window play tests: a fresh working folder, Xvfb, the game, and the hands of
# a player (xdotool). Source it after setting game_dir, build_dir and shots.

work=$(mktemp -d)
trap 'kill "${game_pid:-0}" "${xvfb_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

fail() { echo "${test_name:-play}: FAILED: $*"; exit 1; }
step() { echo "${test_name:-play}: $*"; }

# The content, no saved data: links to the built game's folders.
link_content() { for d in images sounds skin language; do ln -s "$game_dir/$d" "$work/$d"; done; }

start_display() {
    display_number=$((90 + RANDOM % 100))
    export DISPLAY=":$display_number"
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    sleep 2
}

start_game() {
    (cd "$work" && exec "$game_dir/brixel") >"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
    window=$(timeout 30 xdotool search --sync --name "${1:-^brixel$}" | head -n 1) ||
        fail "no window"
    sleep 3
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
click() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.3; xdotool click 1; sleep "${3:-1}"; }
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

profile_check="$build_dir/tools/profile-check/profile-check"
