#!/usr/bin/env bash
# The Windows package played for real: unzipped into a scratch folder and started under wine in
# an Xvfb display, driven with xdotool as a player would. The main menu appears, a one-player
# game is played to its end, F11 takes a screenshot, the credits end the program with exit
# status 0; then the saved settings and the two profiles must be whole. Last, a video driver
# that cannot start must still show the report in a window titled "Fehler".
#
#   tests/play/windows.sh ZIP PROFILE_CHECK [SHOTS_DIR]
# PROFILE_CHECK is the Linux build's tools/profile-check; WINEPREFIX may name a wine prefix
# made before (else a fresh one is made in the scratch folder).
set -euo pipefail

zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
checker=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
shots=${3:-}
test_name=windows
build_dir=""
source "$(dirname "$0")/session.sh"
profile_check=$checker

step "unzip the package"
unpack_windows_package "$zip"

source "$(dirname "$0")/wine-common.sh"

step "start brixel.exe"
(cd "$game" && exec "$wine_command" brixel.exe) >"$work/game.log" 2>&1 </dev/null &
game_pid=$!
window=$(timeout 90 xdotool search --sync --name '^brixel$' | head -n 1) || fail "no window"
sleep 4

step "main menu"
shot windows-main-menu
alive

step "a one-player game to its end"
click 255 204 3
shot windows-one-player
drop_until_lost 250
sleep 1
shot windows-one-player-result
key Escape # leaves the result dialog
sleep 1
alive

step "screenshot with F11, then the end through the credits"
screenshot_and_end 60

step "what the player finds"
check_saved_files "$game"
picture=$(ls "$game"/File\ *.bmp | head -n 1)
[ -z "$shots" ] || cp "$picture" "$shots/windows-f11.bmp"

step "a video driver that cannot start: the report in a window titled Fehler, the log, status 1"
rm -f "$game/DirectX Fehler.txt"
(cd "$game" && SDL_VIDEODRIVER=no-such-driver exec "$wine_command" brixel.exe) \
    >"$work/game.log" 2>&1 </dev/null &
game_pid=$!
box=$(window_titled Fehler 90) || fail "no message box titled Fehler: $(cat "$work/game.log")"
sleep 1
window=$box shot windows-fatal-error
answer_box "$box"
status=0
wait_game_end 60 || status=$?
[ "$status" -eq 1 ] || fail "exit status $status, not 1"
grep -aq "DirectX 9" "$game/DirectX Fehler.txt" || fail "no log entry for the failed video start"
echo "windows: 1 passed, 0 failed"
