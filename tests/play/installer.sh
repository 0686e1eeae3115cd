#!/usr/bin/env bash
# The Windows installer under wine: installed silently for the player alone, the installed game
# started, one game played, the screenshot and the end; then uninstalled silently. The game, its
# shortcuts and its entry in the list of installed apps must be gone, the player's data must stay.
#
#   tests/play/installer.sh SETUP_EXE PROFILE_CHECK
# WINEPREFIX may name a wine prefix made before (else a fresh one is made in the scratch folder).
set -euo pipefail

setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
checker=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
shots=""
test_name=installer
build_dir=""
source "$(dirname "$0")/session.sh"
profile_check=$checker

source "$(dirname "$0")/wine-common.sh"
windows_folder() { winepath -u "$("$wine_command" cmd /c echo "%$1%" 2>/dev/null | tr -d '\r')"; }
key_name='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\brixel'

step "silent install"
"$wine_command" "$setup" /S </dev/null
game="$(windows_folder LOCALAPPDATA)/Programs/brixel"
[ -f "$game/brixel.exe" ] || fail "no brixel.exe in $game"
[ -f "$game/uninstall.exe" ] || fail "no uninstaller"
start_menu="$(windows_folder APPDATA)/Microsoft/Windows/Start Menu/Programs"
[ -f "$start_menu/brixel.lnk" ] || fail "no Start-menu entry"
entry=$("$wine_command" reg query "$key_name" 2>/dev/null | tr -d '\r')
for value in "DisplayName.*brixel" "DisplayVersion.*1\.2" "Publisher.*brixel-Team" \
  "DisplayIcon.*brixel\.exe" "UninstallString.*uninstall\.exe"; do
    grep -q "$value" <<<"$entry" || fail "the list of installed apps lacks $value: $entry"
done

step "the installed game: one game, a screenshot, the end"
(cd "$game" && exec "$wine_command" brixel.exe) >"$work/game.log" 2>&1 </dev/null &
game_pid=$!
window=$(timeout 90 xdotool search --sync --name '^brixel$' | head -n 1) || fail "no window"
sleep 4
alive
click 255 204 3
drop_until_lost 250
sleep 1
key Escape
sleep 1
alive
screenshot_and_end 60
check_saved_files "$game"

step "silent uninstall"
"$wine_command" "$game/uninstall.exe" /S </dev/null
# The uninstaller runs on from a copy of itself: wait until it is done.
for _ in $(seq 1 60); do [ -e "$game/uninstall.exe" ] || break; sleep 1; done
left=$(cd "$game" && ls -A | grep -v '^data$' | grep -v '^File .*\.bmp$' || true)
[ -z "$left" ] || fail "left behind besides the player's data: $left"
"$profile_check" "$game/data/Spieler 1.user" "$game/data/Spieler 2.user" >/dev/null ||
    fail "the profiles did not survive the uninstall"
[ -f "$game/data/brixel.ini" ] || fail "the settings did not survive the uninstall"
[ ! -e "$start_menu/brixel.lnk" ] || fail "the Start-menu entry is still there"
! "$wine_command" reg query "$key_name" >/dev/null 2>&1 || fail "still in the list of installed apps"
echo "installer: 1 passed, 0 failed"
