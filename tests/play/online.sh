#!/usr/bin/env bash
# Two games on one machine play each other over the network in real windows under Xvfb: one
# hosts (endless off), the other joins 127.0.0.1; the joiner's board is dropped until it loses,
# both show the result, both go back to the menus and end through the credits, and both
# players' profiles count the game. The host's window is in the background all the while: its
# game must go on and keep talking to the network.
#
#   tests/play/online.sh BUILD_GAME_DIR BUILD_DIR [SHOTS_DIR]
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shots=${3:-}
test_name=online
source "$(dirname "$0")/session.sh"
start_display

host_work=$work/host
guest_work=$work/guest
mkdir -p "$host_work" "$guest_work"
for w in "$host_work" "$guest_work"; do
    for d in images sounds skin language; do ln -s "$game_dir/$d" "$w/$d"; done
done

# Starts a game in folder $1; its window id in $window, its process in $game_pid.
start_in() {
    local before
    before=$(xdotool search --name '^brixel$' 2>/dev/null || true)
    (cd "$1" && exec "$game_dir/brixel") >"$1/game.log" 2>&1 </dev/null &
    game_pid=$!
    for _ in $(seq 1 60); do
        window=$(xdotool search --name '^brixel$' 2>/dev/null | grep -vxF "$before" | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.5
    done
    [ -n "$window" ] || fail "no window"
    sleep 3
}
# The main menu's opponent list: the third item, network; then "Zwei Spieler".
open_network_dialog() {
    xdotool windowfocus "$window"
    click 523 268 0.6
    click 450 332 0.6
    click 520 204 1
}
# F11 in the focused game; the picture as PNG in the shots folder.
game_shot() {
    xdotool windowfocus "$1"
    sleep 0.5
    xdotool key F11
    sleep 1
    [ -n "${shots:-}" ] || return 0
    mkdir -p "$shots"
    local picture
    picture=$(ls -t "$2"/File\ *.bmp | head -n 1)
    convert "$picture" "$shots/$3.png" 2>/dev/null || cp "$picture" "$shots/$3.bmp"
}

step "the host opens a game (endless off)"
start_in "$host_work"
host_window=$window
host_pid=$game_pid
xdotool windowfocus "$window"
click 553 265 0.6
open_network_dialog
click 431 306 1
game_shot "$host_window" "$host_work" online-host-waiting

step "the guest joins 127.0.0.1"
start_in "$guest_work"
guest_window=$window
guest_pid=$game_pid
open_network_dialog
click 431 266 0.3
xdotool type --delay 40 "127.0.0.1"
key Return
sleep 1
game_shot "$guest_window" "$guest_work" online-guest-countdown
sleep 2
game_shot "$guest_window" "$guest_work" online-guest-playing
kill -0 "$host_pid" 2>/dev/null || fail "the host ended early: $(cat "$host_work/game.log")"

step "the guest's board is dropped until it loses"
xdotool windowfocus "$guest_window"
sleep 0.5
drop_until_lost 200
sleep 2
game_shot "$guest_window" "$guest_work" online-guest-result
game_shot "$host_window" "$host_work" online-host-result

step "both leave through the result dialog and the credits"
# A result dialog takes no key in its first half second: give each side time to open its dialog.
for w in "$guest_window" "$host_window"; do
    xdotool windowfocus "$w"
    sleep 2
    key Escape
    sleep 1
done
for pair in "$guest_window:$guest_pid" "$host_window:$host_pid"; do
    window=${pair%%:*}
    game_pid=${pair##*:}
    xdotool windowfocus "$window"
    sleep 0.5
    end_through_credits
    status=0
    wait_game_end || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
done

for w in "$host_work" "$guest_work"; do
    [ ! -e "$w/DirectX Fehler.txt" ] || fail "an error was logged: $(cat "$w/DirectX Fehler.txt")"
    "$profile_check" "$w/data/Spieler 1.user" | grep -q 'duelGames=1' ||
        fail "the online game did not count in $(basename "$w")'s profile: $("$profile_check" "$w/data/Spieler 1.user")"
done
step "passed"
