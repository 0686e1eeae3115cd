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
start_here() {
    (cd "$game" && exec "${namespace[@]}" sh -c \
        'mount --bind "$1" "$1" && mount -o remount,bind,ro "$1" && cd "$1" &&
         if touch data/probe 2>/dev/null; then echo "the folder is writable"; exit 3; fi &&
         exec ./brixel' sh "$game") >"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
}
start_display
wait_seconds=30
shot_prefix=""
source "$(dirname "$0")/readonly-steps.sh"
