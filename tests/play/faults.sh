#!/usr/bin/env bash
# The game against damaged and hostile files, in a real window under Xvfb:
#  1. a damaged profile, a settings file full of nonsense, a language file with hostile format
#     texts and a skin with broken lines: the game starts, plays and saves, and every other
#     profile stays intact;
#  2. an empty language folder: the fatal error, its log entry and exit status 1;
#  3. a video driver that cannot start: the report still appears in a window titled "Fehler",
#     the log has it, and the exit status is 1.
#
#   tests/play/faults.sh BUILD_GAME_DIR BUILD_DIR [SHOTS_DIR]
set -euo pipefail

game_dir=$(cd "$1" && pwd)
build_dir=$(cd "$2" && pwd)
shots=${3:-}
test_name=faults
source "$(dirname "$0")/session.sh"
start_display

# Our own copies of the texts and the skin, to spoil; the pictures and sounds as they are.
for d in images sounds; do ln -s "$game_dir/$d" "$work/$d"; done
cp -r "$game_dir/language" "$game_dir/skin" "$work/"

step "a first session makes the profiles"
start_game
end_through_credits
wait_game_end || fail "the first session failed: $(cat "$work/game.log")"
# Two more profiles: with player 1's file damaged, "Gast" and "Spieler 2" play; "Zuschauer"
# only looks on and must come out byte for byte as it went in.
cp "$work/data/Spieler 2.user" "$work/data/Gast.user"
cp "$work/data/Spieler 2.user" "$work/data/Zuschauer.user"
onlooker_before=$(cksum <"$work/data/Zuschauer.user")

step "spoiling the files"
head -c 364 /dev/urandom >"$work/data/Spieler 1.user"
damaged_before=$(cksum <"$work/data/Spieler 1.user")
{
    printf 'Volume Sounds=99999999999999999999\nPartikel=-5\nSpieler 1=../../etc/passwd\n'
    printf 'Sprache=Klingonisch\nSkin=../../nowhere\nStein=\nHintergrund Bild=-7\n'
    printf '==\nno equals sign\n\001\002\003=\377\376\n'
    printf 'Modus Einzelspieler=%s\n' "$(head -c 3000 /dev/zero | tr '\0' 9)"
    head -c 2000 /dev/urandom | tr -d '\n'
} >"$work/data/brixel.ini"
hostile='%s%s%s%s%n%n%99999d%'
for id in 210 211 215 216 217 218 219 220; do
    LC_ALL=C sed -i "s/^$id=.*/$id=$hostile/" "$work/language/Deutsch.txt"
done
{
    printf 'button\nbutton = 1 2\n=\nfont standard\ncolour\n@@@@ ;;; ////\n'
    printf 'button g 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20\n'
    printf 'colour standard = zz,qq,-1\nfont big = , -9\n'
    head -c 3000 /dev/zero | tr '\0' x
    printf '\n'
} >>"$work/skin/Golden.style"

step "the game with the spoiled files"
start_game
shot faults-menu
alive
click 255 204 3
drop_until_lost 250
sleep 1
shot faults-result
key Escape
sleep 1
alive
end_through_credits
status=0
wait_game_end || status=$?
[ "$status" -eq 0 ] || fail "exit status $status: $(cat "$work/game.log")"
[ ! -e "$work/DirectX Fehler.txt" ] || fail "an error was logged: $(cat "$work/DirectX Fehler.txt")"
[ "$(cksum <"$work/data/Zuschauer.user")" = "$onlooker_before" ] ||
    fail "a profile that did not play changed"
"$profile_check" "$work/data/Gast.user" "$work/data/Spieler 2.user" "$work/data/Zuschauer.user" ||
    fail "a profile is damaged after saving"
# What the game could not read it leaves alone: the player may still rescue it.
[ "$(cksum <"$work/data/Spieler 1.user")" = "$damaged_before" ] || fail "the damaged file was touched"
keys=$(grep -c '=' "$work/data/brixel.ini")
[ "$keys" -eq 15 ] || fail "data/brixel.ini holds $keys keys, not 15"

step "an empty language folder"
rm -rf "$work/language" "$work/data" && mkdir "$work/language"
(cd "$work" && exec "$game_dir/brixel") >"$work/game.log" 2>&1 </dev/null &
game_pid=$!
# The report is shown in a message box centred on the screen; a person reads it and clicks its
# OK button, centred at the bottom of the box. Where the box's window can be found its button is
# clicked; otherwise the middle of the screen is searched with clicks, which miss harmlessly.
click_ok() {
    for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = brixel ] && continue
        eval "$(xdotool getwindowgeometry --shell "$w" 2>/dev/null)" || continue
        [ "${WIDTH:-0}" -gt 50 ] && [ "${WIDTH:-0}" -lt 1000 ] || continue
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 25)) click 1
    done
}
sleep 3
for pass in $(seq 1 20); do
    kill -0 "$game_pid" 2>/dev/null || break
    if [ "$pass" -le 3 ]; then
        click_ok
    else
        for y in $(seq 250 10 540); do
            kill -0 "$game_pid" 2>/dev/null || break
            xdotool mousemove 512 "$y" click 1
        done
    fi
    sleep 1
done
status=0
wait_game_end 60 || status=$?
[ "$status" -eq 1 ] || fail "exit status $status, not 1"
grep -aq "Keine Sprachen vorhanden" "$work/DirectX Fehler.txt" || fail "no log entry for it"
grep -aq "t_menu" "$work/DirectX Fehler.txt" || fail "the log entry names no module"

step "a video driver that cannot start"
rm -f "$work/DirectX Fehler.txt"
(cd "$work" && SDL_VIDEODRIVER=no-such-driver exec "$game_dir/brixel") >"$work/game.log" 2>&1 \
    </dev/null &
game_pid=$!
box=$(window_titled Fehler 90) || fail "no message box titled Fehler: $(cat "$work/game.log")"
sleep 1
answer_box "$box"
status=0
wait_game_end 60 || status=$?
[ "$status" -eq 1 ] || fail "exit status $status, not 1"
grep -aq "DirectX 9" "$work/DirectX Fehler.txt" || fail "no log entry for the failed video start"
echo "faults: 1 passed, 0 failed"
