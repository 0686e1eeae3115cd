# Shared by the play tests of the Windows game: the wine prefix, wine's settings, an Xvfb
# display, one wine session for the whole test, and the clean-up at the end. Source it after
# session.sh. WINEPREFIX may name a wine prefix made before (else a fresh one is made in the
# scratch folder).

export WINEPREFIX=${WINEPREFIX:-$work/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# None of this machine's fonts: the game shows what it shows on a Windows PC.
export FONTCONFIG_FILE="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/tools/windows/no-host-fonts.conf"
# Wine started without address randomisation, as the test programs are (the reason is in
# tools/windows/mingw-w64-x86_64.cmake): else about one start in a few hundred fails.
wine_command="$work/wine-started-plainly"
printf '#!/bin/sh\nexec setarch -R "%s" "$@"\n' "$(command -v wine64 || command -v wine)" \
    >"$wine_command"
chmod +x "$wine_command"
start_display
trap '{ kill "${game_pid:-0}"; wineserver -k; kill "${xvfb_pid:-0}"; } 2>/dev/null || true; rm -rf "$work"' EXIT
setarch -R wineboot -i >/dev/null 2>&1 || true
# One wine session for all the steps (Debian's wineserver would end with each program and boot
# again for the next).
setarch -R wineserver -p </dev/null >/dev/null 2>&1 || true
