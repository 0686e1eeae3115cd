#!/usr/bin/env bash
# Crash soak: the real game (dummy video and audio drivers, no X) is started again and again on
# a folder of 20 profiles, asked to quit (SIGTERM, which SDL turns into a quit), and killed with
# SIGKILL at a random moment of its start or its shutdown save. Before each run the game's own
# writer gives four profiles a new state with a key-repeat delay of 0, which the loader brings
# up to 1: so each run copies a new state to the .bak at its start and saves other bytes at
# quit. After every run no player's data is lost: each of those profiles and its .bak equal,
# byte for byte, a state that was whole at some moment of this run (nothing older), every other
# valid profile reads back as after the last finished save, the damaged files are kept as they
# were, and the settings file holds its 15 keys. Every few runs one goes through whole and must
# leave exactly the newest state. A second game on the folder must end without touching a file.
# A last clean run leaves no temporary file behind.
#
#   tests/play/soak.sh BUILD_GAME_DIR BUILD_DIR [RUNS]
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
runs=${3:-100}
profile_check="$build_dir/tools/profile-check/profile-check"
profile_write="$build_dir/tools/profile-write/profile-write"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

work=$(mktemp -d "${TMPDIR:-/tmp}/brixel-soak.XXXXXX")
trap 'kill -9 "${game_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
for d in images sounds skin language; do ln -s "$game_dir/$d" "$work/$d"; done
data="$work/data"

fail() { echo "soak: FAILED: $*"; echo "soak: 0 passed, 1 failed"; exit 1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Starts the game and waits until SDL has taken over SIGTERM (bit 15 of the caught signals), so
# the signal becomes a quit request instead of ending the process at once. Until the exec the
# process is still the shell, whose own handlers do not count.
start_game() {
    (cd "$work" && exec "$game_dir/brixel") >>"$work/game.log" 2>&1 </dev/null &
    game_pid=$!
    for _ in $(seq 200); do
        kill -0 "$game_pid" 2>/dev/null ||
            fail "the game ended while starting: $(tail -5 "$work/game.log")"
        # The program first, then its handlers: read the other way round, the handlers could
        # still be the shell's.
        if [ "$(readlink "/proc/$game_pid/exe")" = "$game_dir/brixel" ]; then
            local caught
            caught=$(sed -n 's/^SigCgt:\t//p' "/proc/$game_pid/status" 2>/dev/null || true)
            [ -n "$caught" ] && (((0x$caught >> 14) & 1)) && return 0
        fi
        sleep 0.02
    done
    fail "the game never took over SIGTERM"
}

# A whole run: start, quit, wait for the game's own end (status 0); quit_ms is how long it took
# from the quit request to the end.
clean_run() {
    start_game
    local start status=0
    start=$(now_ms)
    kill -TERM "$game_pid"
    wait "$game_pid" || status=$?
    quit_ms=$(($(now_ms) - start))
    [ "$status" -eq 0 ] || fail "a clean run ended with status $status: $(tail -5 "$work/game.log")"
}

# The profiles: the game's own two, 14 more from its writer, two legacy 148-byte ones (with
# statistics 0 their check value 0 is right), and two damaged ones.
clean_run
for i in $(seq -w 1 14); do "$profile_write" "$data/Soak $i.user" "$((10#$i * 7))"; done
head -c 148 /dev/zero >"$data/Alt 1.user"
head -c 148 /dev/zero >"$data/Alt 2.user"
"$profile_write" "$data/Kaputt Magie.user" 3
printf '\x46' | dd of="$data/Kaputt Magie.user" bs=1 seek=0 conv=notrunc status=none
"$profile_write" "$data/Kaputt Summe.user" 4
printf '\xff' | dd of="$data/Kaputt Summe.user" bs=1 seek=360 conv=notrunc status=none
cp "$data/Kaputt Magie.user" "$work/magic.orig"
cp "$data/Kaputt Summe.user" "$work/checksum.orig"
count=$(find "$data" -name '*.user' | wc -l)
[ "$count" -eq 20 ] || fail "expected 20 profiles to start with, made $count"

# One finished save turns the legacy files into current ones and the checksum-damaged one into
# a valid profile with cleared statistics; from here on every valid profile must stay as it is.
clean_run
save_ms=$quit_ms
moving=("Soak 01" "Soak 02" "Soak 03" "Soak 04")
valid=()
for f in "$data"/*.user; do
    case "$f" in "$data/Kaputt Magie.user" | "$data/Soak 0"[1-4].user) continue ;; esac
    valid+=("$f")
done
"$profile_check" "${valid[@]}" >"$work/before.txt" || fail "a profile is not valid after a clean save"

check_data() {
    local what=$1
    "$profile_check" "${valid[@]}" >"$work/after.txt" ||
        fail "$what: a profile is no longer valid: $(grep -v 'gamesPlayed=' "$work/after.txt")"
    cmp -s "$work/before.txt" "$work/after.txt" ||
        fail "$what: a profile changed: $(diff "$work/before.txt" "$work/after.txt")"
    cmp -s "$work/magic.orig" "$data/Kaputt Magie.user" ||
        fail "$what: the unreadable profile was changed or removed"
    cmp -s "$work/checksum.orig" "$data/Kaputt Summe.user.damaged" ||
        fail "$what: the damaged profile's kept copy is missing or changed"
    local keys
    keys=$(grep -c '=' "$data/brixel.ini" || true)
    [ "$keys" -eq 15 ] || fail "$what: data/brixel.ini holds $keys keys, expected 15"
}
# The whole states of a moving profile in run n: as written before the start (delay 0) and as
# the game saves it (delay 1).
state() { "$profile_write" "$work/$1.$2.$3" "$2" "$3" && echo "$work/$1.$2.$3"; }
give_new_states() {
    local n=$1 p
    for p in "${moving[@]}"; do
        cp "$(state "$p" "$n" 0)" "$data/$p.user"
        state "$p" "$n" 1 >/dev/null
    done
}
same_as() { cmp -s "$1" "$2"; }
# After a run that may have been killed: the profile is the state written before the start or
# the one saved at quit; its copy the copy before the run or the state written before the start.
check_moving() {
    local what=$1 n=$2 p
    for p in "${moving[@]}"; do
        same_as "$data/$p.user" "$work/$p.$n.0" || same_as "$data/$p.user" "$work/$p.$n.1" ||
            fail "$what: $p.user is no whole state of this run"
        same_as "$data/$p.bak" "$work/$p.$n.0" || same_as "$data/$p.bak" "$work/$p.bak.before" ||
            fail "$what: $p.bak is no whole state of this run"
    done
}
# After a finished run: exactly the newest states.
check_moving_whole() {
    local what=$1 n=$2 p
    for p in "${moving[@]}"; do
        same_as "$data/$p.user" "$work/$p.$n.1" || fail "$what: $p.user does not hold the save"
        same_as "$data/$p.bak" "$work/$p.$n.0" || fail "$what: $p.bak does not hold the start's copy"
    done
}
keep_copies() {
    local p
    for p in "${moving[@]}"; do cp "$data/$p.bak" "$work/$p.bak.before"; done
}

check_data "after the first finished save"
give_new_states 0
clean_run
check_moving_whole "the first run with new states" 0

# A second game on the same folder says so and ends without touching a file.
start_game
first_pid=$game_pid
sleep 1 # the first game has made its copies and waits in the menus
folder_state() { { ls -l --time-style=+%s.%N "$data" 2>/dev/null || true; } | sort; }
before_second=$(folder_state)
second_status=0
(cd "$work" && exec "$game_dir/brixel") >"$work/second.log" 2>&1 </dev/null || second_status=$?
[ "$second_status" -eq 1 ] || fail "a second game on the folder ended with status $second_status"
grep -q "uft schon mit diesem Datenordner" "$work/second.log" || fail "the second game did not say why: $(cat "$work/second.log")"
[ "$before_second" = "$(folder_state)" ] ||
    fail "the second game touched the data folder"
game_pid=$first_pid
kill -TERM "$game_pid"
wait "$game_pid" || fail "the first game did not end cleanly beside a second one"
for p in "${moving[@]}"; do
    same_as "$data/$p.user" "$work/$p.0.1" || fail "after a second game was turned away: $p.user changed"
done
check_data "after a second game was turned away"

listing() { { ls -l --time-style=+%s.%N "$data" 2>/dev/null || true; } | sort; }

# The kill comes 0 ms to a little past a whole shutdown, so most land inside the save.
window_ms=$((save_ms > 40 ? save_ms : 40))
echo "soak: 20 profiles, ${#valid[@]} valid; a clean quit and save took $save_ms ms;" \
    "killing 0-$window_ms ms after the quit request, $runs times"
killed=0
killed_in_save=0
soak_start=$SECONDS
for run in $(seq "$runs"); do
    keep_copies
    give_new_states "$run"
    if ((run % 10 == 0)); then
        clean_run
        check_moving_whole "run $run (not killed)" "$run"
        check_data "run $run"
        continue
    fi
    start_game
    # The game may be removing what an earlier kill left while ls reads the folder: a file
    # gone between listing and looking is no failure of the game's.
    before=$(listing)
    kill -TERM "$game_pid"
    sleep "$(printf '0.%03d' $((RANDOM % (window_ms + 1))))"
    kill -KILL "$game_pid" 2>/dev/null || true
    status=0
    wait "$game_pid" 2>/dev/null || status=$?
    if [ "$status" -eq 137 ]; then
        killed=$((killed + 1))
        # Files written or a temporary left behind: the kill came while it saved.
        [ "$before" != "$(listing)" ] &&
            killed_in_save=$((killed_in_save + 1))
    elif [ "$status" -ne 0 ]; then
        fail "run $run: the game ended with status $status: $(tail -5 "$work/game.log")"
    fi
    check_data "run $run"
    check_moving "run $run" "$run"
done

# A last clean run clears what the interrupted saves left.
clean_run
check_data "after the last clean run"
leftovers=$(find "$data" -regextype posix-extended -regex '.*\.brixel-tmp-[A-Za-z0-9]{6}$' \
    | head -5)
[ -z "$leftovers" ] || fail "temporary files remain: $leftovers"

echo "soak: $runs runs in $((SECONDS - soak_start)) s; $killed killed by SIGKILL," \
    "$killed_in_save of them during the save; ${#valid[@]} profiles checked after each run"
echo "soak: 1 passed, 0 failed"
