#!/usr/bin/env bash
# Two games on one machine play each other over the network in real windows under Xvfb: one
# hosts (endless off), the other joins 127.0.0.1; the joiner's board is dropped until it loses,
# both show the result, both go back to the menus and end through the credits, and both
# players' profiles count the game. The host's window is in the background all the while: its
# game must go on and keep talking to the network.
#
#   tests/play/online.sh [--windows-host ZIP] BUILD_GAME_DIR BUILD_DIR [SHOTS_DIR]
# With --windows-host the host is the Windows package's game, unzipped and run under wine (shown
# none of this machine's fonts, as on a Windows PC), so Linux plays Windows. WINEPREFIX may then
# name a wine prefix made before.
set -euo pipefail

windows_zip=""
if [ "${1:-}" = "--windows-host" ]; then
    windows_zip=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
    shift 2
fi
game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shots=${3:-}
test_name=online${windows_zip:+-windows}
source "$(dirname "$0")/session.sh"

guest_work=$work/guest
mkdir -p "$guest_work"
if [ -n "$windows_zip" ]; then
    unpack_windows_package "$windows_zip"
    host_work=$game
    source "$(dirname "$0")/wine-common.sh"
    host_command=("$wine_command" brixel.exe)
else
    start_display
    host_work=$work/host
    mkdir -p "$host_work"
    for d in images sounds skin language; do ln -s "$game_dir/$d" "$host_work/$d"; done
    host_command=("$game_dir/brixel")
fi
for d in images sounds skin language; do ln -s "$game_dir/$d" "$guest_work/$d"; done
trap '{ kill "${host_pid:-0}" "${guest_pid:-0}"; [ -z "$windows_zip" ] || wineserver -k
        kill "${xvfb_pid:-0}"; } 2>/dev/null || true; rm -rf "$work"' EXIT

# Starts a game in folder $1 with the command $2...; its window id in $window, its process in
# $game_pid.
start_in() {
    local before folder=$1
    shift
    before=$(xdotool search --name '^brixel$' 2>/dev/null || true)
    (cd "$folder" && exec "$@") >"$folder/game.log" 2>&1 </dev/null &
    game_pid=$!
    for _ in $(seq 1 120); do
        window=$(xdotool search --name '^brixel$' 2>/dev/null | grep -vxF "$before" | head -n 1 || true)
        [ -n "$window" ] && break
        sleep 0.5
    done
    [ -n "$window" ] || fail "no window"
    sleep 3
}
# Gives window $1 the keys. Without a window manager a wine window takes the keyboard only when
# clicked: a click on the picture's empty bottom corner, where no control is, once the window
# is raised above the other game's.
focus() {
    xdotool windowraise "$1" windowfocus "$1"
    if [ -n "$windows_zip" ] && [ "$1" = "${host_window:-}" ]; then
        local saved=$window
        window=$1
        click 1015 760 0.3
        window=$saved
    fi
}
# The main menu's opponent list: the third item, network; then "Zwei Spieler".
open_network_dialog() {
    focus "$window"
    click 523 268 0.6
    click 450 332 0.6
    click 520 204 1
}
# F11 in game $1 (folder $2); the picture as PNG in the shots folder, named $3.
game_shot() {
    local before after
    before=$(find "$2" -maxdepth 1 -name 'File *.bmp' | wc -l)
    focus "$1"
    sleep 0.5
    xdotool key F11
    for _ in $(seq 1 10); do
        sleep 0.5
        after=$(find "$2" -maxdepth 1 -name 'File *.bmp' | wc -l)
        [ "$after" -gt "$before" ] && break
    done
    [ "$after" -gt "$before" ] || fail "F11 took no picture in $(basename "$2") for $3"
    [ -n "${shots:-}" ] || return 0
    mkdir -p "$shots"
    local picture
    picture=$(ls -t "$2"/File\ *.bmp | head -n 1)
    convert "$picture" "$shots/$3.png" 2>/dev/null || cp "$picture" "$shots/$3.bmp"
}

step "the host opens a game (endless off)"
start_in "$host_work" "${host_command[@]}"
host_window=$window
host_pid=$game_pid
focus "$window"
click 553 265 0.6
open_network_dialog
click 431 306 1
game_shot "$host_window" "$host_work" "$test_name-host-waiting"

step "the guest joins 127.0.0.1"
# The Linux game finds its faces through this machine's fontconfig, hidden from wine alone.
start_in "$guest_work" env -u FONTCONFIG_FILE "$game_dir/brixel"
guest_window=$window
guest_pid=$game_pid
open_network_dialog
click 431 266 0.3
xdotool type --delay 40 "127.0.0.1"
key Return
sleep 1
game_shot "$guest_window" "$guest_work" "$test_name-guest-countdown"
sleep 2
game_shot "$guest_window" "$guest_work" "$test_name-guest-playing"
kill -0 "$host_pid" 2>/dev/null || fail "the host ended early: $(cat "$host_work/game.log")"

step "the guest's board is dropped until it loses"
focus "$guest_window"
sleep 0.5
drop_until_lost 200
sleep 2
game_shot "$guest_window" "$guest_work" "$test_name-guest-result"
game_shot "$host_window" "$host_work" "$test_name-host-result"

step "both go back to the menus through the result dialog"
# A result dialog takes no key in its first half second: give each side time to open its dialog.
for w in "$guest_window" "$host_window"; do
    focus "$w"
    sleep 2
    key Escape
    sleep 1
done

step "a second game: the guest's program is killed while it plays"
window=$host_window
focus "$window"
click 520 204 1 # "Zwei Spieler": the opponent is still the network
click 431 306 1
window=$guest_window
focus "$window"
click 520 204 1
click 669 266 1 # the host's address is remembered
sleep 3
game_shot "$guest_window" "$guest_work" "$test_name-second-game"
kill -9 "$guest_pid"
wait "$guest_pid" 2>/dev/null || true
# The host must say so within five seconds; its answer (Return) takes it back to the menus.
sleep 5
game_shot "$host_window" "$host_work" "$test_name-host-connection-lost"
key Return
sleep 1

step "the host ends through the credits"
window=$host_window
game_pid=$host_pid
focus "$window"
sleep 0.5
end_through_credits
status=0
wait_game_end || status=$?
[ "$status" -eq 0 ] || fail "the host's exit status $status (it may still be in the game)"

# The first game counts for the host, the cut one for nobody. The killed guest saved nothing (the
# profiles are written when the program ends): whatever it left must be whole.
for w in "$host_work" "$guest_work"; do
    [ ! -e "$w/DirectX Fehler.txt" ] || fail "an error was logged: $(cat "$w/DirectX Fehler.txt")"
    for profile in "$w"/data/*.user; do
        [ -e "$profile" ] || continue
        "$profile_check" "$profile" >/dev/null || fail "$profile is damaged"
    done
done
"$profile_check" "$host_work/data/Spieler 1.user" | grep -q ' duelGames=1 ' ||
    fail "the host's profile does not count one online game: $("$profile_check" "$host_work/data/Spieler 1.user")"
step "passed"
