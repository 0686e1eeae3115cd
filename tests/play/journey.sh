#!/usr/bin/env bash
# A real-window play test: the built game under Xvfb, driven with xdotool the way a person plays.
# Start, main menu, a one-player game (the computer helps with F1 for a while, then the player
# drops pieces until the game is lost), the result dialog, another game played alone, back to
# the menus, a game against the computer, a visit to every menu page, a screenshot with F11,
# and the end through the credits.
# Then it checks what a player would find on disk.
#
#   tests/play/journey.sh BUILD_GAME_DIR BUILD_DIR [SHOTS_DIR]
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shots=${3:-}
test_name=journey
source "$(dirname "$0")/session.sh"
link_content
start_display
start_game

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
end_through_credits
status=0
wait_game_end || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"

step "what the player finds"
[ ! -e "$work/DirectX Fehler.txt" ] || fail "an error was logged: $(cat "$work/DirectX Fehler.txt")"
ini="$work/data/brixel.ini"
[ -f "$ini" ] || fail "no data/brixel.ini"
keys=$(grep -c '=' "$ini")
[ "$keys" -eq 13 ] || fail "data/brixel.ini holds $keys keys, not 13"
"$profile_check" "$work/data/Spieler 1.user" "$work/data/Spieler 2.user" ||
    fail "a profile is damaged"
"$profile_check" "$work/data/Spieler 1.user" | grep -q 'gamesPlayed=[1-9]' ||
    fail "player 1's statistics did not grow"
picture=$(ls "$work"/File\ *.bmp 2>/dev/null | head -n 1)
[ -n "$picture" ] || fail "F11 wrote no screenshot"
colours=$(od -An -tx1 -j54 -N400000 "$picture" | tr -s ' ' '\n' | sort -u | wc -l)
[ "$colours" -gt 16 ] || fail "the screenshot is blank ($colours byte values)"
echo "journey: 1 passed, 0 failed"
