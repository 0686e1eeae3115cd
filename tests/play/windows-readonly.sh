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
unpack_windows_package "$zip"
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

start_here() {
    (cd "$game" && exec "$wine_command" brixel.exe) >"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
}

wait_seconds=90
shot_prefix="windows-"
source "$(dirname "$0")/readonly-steps.sh"
