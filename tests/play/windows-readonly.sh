#!/usr/bin/env bash
# The Windows package unzipped into a folder nobody can write (a read-only mount, as Program
# Files is for a player, or a read-only medium), played under wine: it tells once where the data
# goes, plays, saves into %LOCALAPPDATA%\brixel, brings along the profile saved beside it before,
# and finds everything again at the next start. The game's folder stays unchanged.
#
#   tests/play/windows-readonly.sh ZIP PROFILE_CHECK PROFILE_WRITE [SHOTS_DIR]
# PROFILE_CHECK and PROFILE_WRITE are the Linux build's tools; WINEPREFIX may name a wine prefix
# made before (else a fresh one is made in the scratch folder). Needs a private mount namespace:
# root, or unprivileged user namespaces. Runs a wine server of its own for that prefix.
set -euo pipefail

if [ -z "${BRIXEL_READONLY_NAMESPACE:-}" ]; then
    # Everything below, the wine server included, sees the read-only mount.
    namespace=(unshare -m --propagation private)
    [ "$(id -u)" -eq 0 ] || namespace=(unshare -r -m --propagation private)
    export WINEPREFIX=${WINEPREFIX:-}
    # A server for this prefix running outside would open the files where the mount is not.
    [ -z "$WINEPREFIX" ] || { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
    BRIXEL_READONLY_NAMESPACE=1 exec "${namespace[@]}" "$0" "$@"
fi

zip=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
checker=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
profile_write=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
shots=${4:-}
test_name=windows-readonly
build_dir=""
source "$(dirname "$0")/session.sh"
profile_check=$checker

step "unzip the package, with a profile saved beside the game before"
unzip -q "$zip" -d "$work"
game="$work/brixel"
[ -f "$game/brixel.exe" ] || fail "no brixel.exe in the package"
mkdir -p "$game/data"
"$profile_write" "$game/data/Spieler 1.user" 40
before=$(cd "$game" && find . -printf '%p %s %T@\n' | sort)
mount --bind "$game" "$game"
mount -o remount,bind,ro "$game"
touch "$game/data/probe" 2>/dev/null && fail "the game's folder can still be written"

source "$(dirname "$0")/wine-common.sh"
# As wine-common's, with the read-only mount let go before the scratch folder goes.
trap '{ kill "${game_pid:-0}"; wineserver -k; kill "${xvfb_pid:-0}"; } 2>/dev/null || true; umount "${game:-/nonexistent}" 2>/dev/null; rm -rf "$work"' EXIT
local_app_data=$(winepath -u "$("$wine_command" cmd /c echo "%LOCALAPPDATA%" 2>/dev/null |
    tr -d '\r')")
players="$local_app_data/brixel"
rm -rf "$players" # a prefix made before may hold a player's folder of an earlier run

# The game's window; a short-lived one the platform makes while it starts can vanish while the
# search looks at it, so the search is tried again.
game_window() {
    window=""
    for _ in 1 2 3; do
        window=$(timeout 90 xdotool search --sync --name '^brixel$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && return 0
        sleep 1
    done
    fail "no window"
}
# The notice's window by its whole title (which has spaces); answers its id.
notice_title="Wo deine Daten liegen"
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
start_exe() {
    (cd "$game" && exec "$wine_command" brixel.exe) >"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
}

step "first start: the notice, once"
start_exe
box=$(notice_box 90) || fail "no notice of where the data is: $(cat "$work/game.log")"
sleep 3
window="" shot windows-data-notice
answer_box "$box"
game_window
sleep 4
alive

step "a one-player game to its end, F11, the end through the credits"
click 255 204 3
drop_until_lost 250
sleep 1
key Escape # leaves the result dialog
sleep 1
alive
screenshot_and_end 60

step "what the player finds in %LOCALAPPDATA%\\brixel"
[ -f "$players/data/where-your-data-is.txt" ] || fail "the notice was not remembered"
check_saved_files "$players"
"$profile_check" "$players/data/Spieler 1.user" | grep -q 'gamesPlayed=41' ||
    fail "the profile saved beside the game did not come along"
after=$(cd "$game" && find . -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "the game's folder changed: $(diff <(echo "$before") \
    <(echo "$after"))"

step "second start: no notice, the saves are found again"
start_exe
game_window
sleep 4
alive
notice_box 1 >/dev/null && fail "the notice came a second time"
end_through_credits
status=0
wait_game_end 60 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"
"$profile_check" "$players/data/Spieler 1.user" | grep -q 'gamesPlayed=41' ||
    fail "the second start lost the saved games"
echo "windows-readonly: 1 passed, 0 failed"
