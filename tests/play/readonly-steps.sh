# The play of a game whose folder cannot be written, the same on Linux and under wine. Source it
# after session.sh, with:
#   start_here     a function that starts the game from its read-only folder (sets game_pid)
#   game, before   the game's folder and its listing before the first start
#   players        the player's own folder, where the data must go
#   wait_seconds   how long a window may take to come
#   shot_prefix    put before the names of the screenshots
notice_title="Wo deine Daten liegen"

step "first start: the notice, once"
start_here
box=$(window_titled "$notice_title" "$wait_seconds") ||
    fail "no notice of where the data is: $(cat "$work/game.log")"
sleep 2
window="" shot "${shot_prefix}data-notice"
answer_box "$box"
find_game_window '^brixel$' "$wait_seconds"
sleep 3
alive

step "a one-player game to its end, F11, the end through the credits"
click 255 204 3
drop_until_lost 250
sleep 1
key Escape # leaves the result dialog
sleep 1
alive
screenshot_and_end 60

profile_games() {
    "$profile_check" "$players/data/Spieler 1.user"
}
folder_unchanged() {
    local after
    after=$(cd "$game" && find . -printf '%p %s %T@\n' | sort)
    [ "$before" = "$after" ] || fail "the game's folder changed: $(diff <(echo "$before") \
        <(echo "$after"))"
}

step "what the player finds in their own folder"
[ -f "$players/data/where-your-data-is.txt" ] || fail "the notice was not remembered"
check_saved_files "$players"
profile_games | grep -q 'gamesPlayed=41' ||
    fail "the profile saved beside the game did not come along: $(profile_games)"
folder_unchanged

step "second start: no notice, the saves are found again"
start_here
find_game_window '^brixel$' "$wait_seconds"
sleep 3
alive
window_titled "$notice_title" 1 >/dev/null && fail "the notice came a second time"
end_through_credits
status=0
wait_game_end 60 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"
profile_games | grep -q 'gamesPlayed=41' || fail "the second start lost the saved games: $(profile_games)"
folder_unchanged
echo "$test_name: 1 passed, 0 failed"
