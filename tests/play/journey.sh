#!/usr/bin/env bash
# A real-window play test: the built game under Xvfb, driven with xdotool the way a person plays.
# Start, main menu, a one-player game (the computer helps with F1 for a while, then the player
# drops pieces until the game is lost), the result dialog, another game played alone, back to
# the menus, a game against the computer, a visit to every menu page, a screenshot with F11, and the end through the credits.
# Then it checks what a player would find on disk.
#
#   tests/play/journey.sh BUILD_GAME_DIR BUILD_DIR [SHOTS_DIR]
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shots=${3:-}
work=$(mktemp -d)
trap 'kill "${xvfb_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

# A fresh working folder: the content, no saved data.
for d in images sounds skin language; do ln -s "$game_dir/$d" "$work/$d"; done

display_number=$((90 + RANDOM % 100))
export DISPLAY=":$display_number"
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 2

fail() { echo "journey: FAILED: $*"; exit 1; }
step() { echo "journey: $*"; }

(cd "$work" && exec "$game_dir/brixel") >"$work/game.log" 2>&1 &
game_pid=$!

window=$(timeout 30 xdotool search --sync --name '^brixel$' | head -n 1) || fail "no window"
sleep 3

# Positions are back-buffer pixels of the 1024 x 768 picture, relative to the window.
click() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.3; xdotool click 1; sleep "${3:-1}"; }
key() { xdotool key "$@"; sleep 0.4; }
shot() {
    [ -n "$shots" ] || return 0
    mkdir -p "$shots"
    import -window root "$shots/$1.png" 2>/dev/null || true
}
alive() { kill -0 "$game_pid" 2>/dev/null || fail "the game ended early: $(cat "$work/game.log")"; }
# Soft drop held until the board is full. A landing ends the soft drop, so the key is pressed
# again all the time: released and at once pressed again, it stays held in every frame.
drop_until_lost() {
    xdotool keydown Down
    for _ in $(seq 1 "$1"); do xdotool keyup Down keydown Down; sleep 0.1; done
    xdotool keyup Down
}

step "main menu"
shot main-menu
alive

step "one-player game"
click 255 204 3
shot one-player
key F1          # the computer takes over (with look-ahead)
sleep 6
key F1 F1       # without look-ahead, then the player again
drop_until_lost 250
sleep 1
shot one-player-result
# An assisted game counts for nothing, so "another game?" and one the player plays alone.
key Return
sleep 2
drop_until_lost 250
sleep 1
shot one-player-alone
key Escape      # leaves the result dialog
sleep 1
alive

step "a game against the computer"
click 553 265   # endless off, so a lost board ends the game with a dialog
click 521 204 3
shot two-player
drop_until_lost 250
sleep 1
shot two-player-result
key Escape
sleep 1
alive

step "every menu page"
for button in "255 404" "521 404" "255 474"; do
    click $button 1.5
    shot "page-${button// /-}"
    key Escape
    sleep 1
done
alive

step "screenshot with F11"
key F11
sleep 1

step "the end through the credits"
key Escape      # the end button's key
sleep 3
shot credits
key q
for _ in $(seq 1 40); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$game_pid" 2>/dev/null && fail "the credits did not end the game"
status=0
wait "$game_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"

step "what the player finds"
[ ! -e "$work/DirectX Fehler.txt" ] || fail "an error was logged: $(cat "$work/DirectX Fehler.txt")"
ini="$work/data/brixel.ini"
[ -f "$ini" ] || fail "no data/brixel.ini"
keys=$(grep -c '=' "$ini")
[ "$keys" -eq 13 ] || fail "data/brixel.ini holds $keys keys, not 13"
check="$build_dir/tools/profile-check/profile-check"
"$check" "$work/data/Spieler 1.user" "$work/data/Spieler 2.user" || fail "a profile is damaged"
"$check" "$work/data/Spieler 1.user" | grep -q 'gamesPlayed=[1-9]' ||
    fail "player 1's statistics did not grow"
picture=$(ls "$work"/File\ *.bmp 2>/dev/null | head -n 1)
[ -n "$picture" ] || fail "F11 wrote no screenshot"
colours=$(od -An -tx1 -j54 -N400000 "$picture" | tr -s ' ' '\n' | sort -u | wc -l)
[ "$colours" -gt 16 ] || fail "the screenshot is blank ($colours byte values)"
echo "journey: 1 passed, 0 failed"
