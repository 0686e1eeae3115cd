#!/usr/bin/env bash
# The game in a folder nobody can write (a read-only mount, which stops root too), as if
# unpacked onto a read-only medium: it tells once where the data goes, plays, saves into the
# player's own folder ($XDG_DATA_HOME/brixel), brings along the profile that was saved beside
# it before, and finds everything again at the next start. The game's folder stays unchanged.
#
#   tests/play/readonly.sh GAME_DIR BUILD_DIR [SHOTS_DIR]
# Needs a private mount namespace: root, or unprivileged user namespaces.
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
test_name=readonly
shots=${3:-}
source "$(dirname "$0")/session.sh"
profile_write="$build_dir/tools/profile-write/profile-write"

step "the game unpacked into a folder of its own, with a profile saved there before"
game="$work/game"
mkdir -p "$game/data"
cp "$game_dir/brixel" "$game/"
for d in images sounds skin language icon; do
    [ -d "$game_dir/$d" ] && cp -r "$game_dir/$d" "$game/"
done
"$profile_write" "$game/data/Spieler 1.user" 40
before=$(cd "$game" && find . -printf '%p %s %T@\n' | sort)
export XDG_DATA_HOME="$work/home"
players="$XDG_DATA_HOME/brixel"

namespace=(unshare -m --propagation private)
[ "$(id -u)" -eq 0 ] || namespace=(unshare -r -m --propagation private)
# The game inside a mount namespace of its own, where its folder is mounted read-only.
start_readonly_game() {
    (cd "$game" && exec "${namespace[@]}" sh -c \
        'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && cd "$1" &&
         if touch data/probe 2>/dev/null; then echo "the folder is writable"; exit 3; fi &&
         exec ./brixel' sh "$game") >"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
}
start_display
# The game's window; a short-lived one the platform makes while it starts can vanish while the
# search looks at it, so the search is tried again.
game_window() {
    window=""
    for _ in 1 2 3; do
        window=$(timeout 30 xdotool search --sync --name '^brixel$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && return 0
        sleep 1
    done
    fail "no window"
}
# The notice's window by its whole title (which has spaces); answers its id.
notice_box() {
    local id
    for _ in $(seq 1 "$1"); do
        id=$(xwininfo -root -tree 2>/dev/null |
            awk -v t="\"$notice_title\":" 'index($0, t) {print $1; exit}')
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 1
    done
    return 1
}
notice_title="Wo deine Daten liegen"

step "first start: the notice, once"
start_readonly_game
box=$(notice_box 30) ||
    fail "no notice of where the data is: $(cat "$work/game.log")"
sleep 1
window="" shot data-notice
answer_box "$box"
game_window
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

step "what the player finds in their own folder"
[ -f "$players/data/where-your-data-is.txt" ] || fail "the notice was not remembered"
check_saved_files "$players"
"$profile_check" "$players/data/Spieler 1.user" | grep -q 'gamesPlayed=41' ||
    fail "the profile saved beside the game did not come along: $("$profile_check" \
        "$players/data/Spieler 1.user")"
after=$(cd "$game" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the game's folder changed: $(diff <(echo "$before") \
    <(echo "$after"))"

step "second start: no notice, the saves are found again"
start_readonly_game
game_window
sleep 3
alive
notice_box 1 >/dev/null && fail "the notice came a second time"
end_through_credits
status=0
wait_game_end 40 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"
"$profile_check" "$players/data/Spieler 1.user" | grep -q 'gamesPlayed=41' ||
    fail "the second start lost the saved games: $("$profile_check" \
        "$players/data/Spieler 1.user")"
after=$(cd "$game" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the game's folder changed at the second start"
echo "readonly: 1 passed, 0 failed"
