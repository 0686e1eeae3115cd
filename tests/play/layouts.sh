#!/usr/bin/env bash
# A real-window test of typed names: under Xvfb with a US and then a German keyboard layout
# (setxkbmap), a player types a name with the letters and signs that sit on different keys in
# the two layouts. The name must come out as typed in both, so the profile saved at the end
# carries it; key bindings stay positions and are not touched here.
#
#   tests/play/layouts.sh BUILD_GAME_DIR BUILD_DIR [SHOTS_DIR]
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shots=${3:-}
test_name=layouts
source "$(dirname "$0")/session.sh"
link_content

typed="Tony y-z [];'"
passed=0
for layout in us de; do
    step "keyboard layout $layout"
    # A display of its own for each layout, so no window of the game before is found.
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid"; wait "$xvfb_pid" 2>/dev/null || true; fi
    start_display
    setxkbmap -display "$DISPLAY" -layout "$layout" || fail "setxkbmap $layout"
    rm -rf "$work/data"
    start_game
    click 521 404 2        # the player page
    click 380 250 0.5      # into the name field
    xdotool key End
    xdotool key --repeat 25 --delay 40 BackSpace # empties it
    xdotool type --delay 120 "$typed"
    sleep 0.5
    shot "layout-$layout-name"
    click 550 250          # applies the name
    alive
    key Escape             # back to the main menu
    sleep 1
    end_through_credits
    wait_game_end || fail "the game ended with an error: $(cat "$work/game.log")"
    [ -f "$work/data/$typed.user" ] ||
        fail "layout $layout: expected the profile \"$typed.user\", found: $(ls "$work/data")"
    passed=$((passed + 1))
done
echo "layouts: $passed passed, 0 failed"
