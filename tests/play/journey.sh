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

step "screenshot with F11, then the end through the credits"
screenshot_and_end

step "what the player finds"
check_saved_files "$work"
echo "journey: 1 passed, 0 failed"
