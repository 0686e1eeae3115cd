#!/usr/bin/env bash
# The installed game: `cmake --install` into a scratch prefix, then the game started the way the
# desktop starts it (its desktop entry's Exec line, on the PATH), into the main menu and out
# through the credits; the player's own working folder must hold the saved data.
#
#   tests/play/installed.sh BUILD_DIR
set -euo pipefail

build_dir=$(cd "$1" && pwd)
game_dir="$build_dir/game"
test_name=installed
source "$(dirname "$0")/session.sh"
prefix="$work/prefix"
cmake -S "$(dirname "$0")/../.." -B "$build_dir" -DCMAKE_INSTALL_PREFIX="$prefix" >/dev/null
cmake --build "$build_dir" --target brixel -j 2 >/dev/null
cmake --install "$build_dir" >/dev/null
cmake -S "$(dirname "$0")/../.." -B "$build_dir" -UCMAKE_INSTALL_PREFIX >/dev/null

entry="$prefix/share/applications/brixel.desktop"
[ -f "$entry" ] || fail "no desktop entry"
[ -f "$prefix/share/icons/hicolor/256x256/apps/brixel.png" ] || fail "no icon"
command=$(sed -n 's/^Exec=//p' "$entry")
export XDG_DATA_HOME="$work/home"
start_display
(PATH="$prefix/bin:$PATH" exec $command) >"$work/game.log" 2>&1 </dev/null &
game_pid=$!
window=$(timeout 30 xdotool search --sync --name '^brixel$' | head -n 1) || fail "no window"
sleep 3
alive
end_through_credits
status=0
wait_game_end || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"
for f in brixel.ini "Spieler 1.user" "Spieler 2.user"; do
    [ -f "$XDG_DATA_HOME/brixel/data/$f" ] || fail "no $f in the player's folder"
done
echo "installed: 1 passed, 0 failed"
