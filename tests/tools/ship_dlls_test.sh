#!/usr/bin/env bash
# tools/windows/ship-dlls on made-up executables: each fake file's text is its list of imports,
# and a stand-in objdump prints them the way the real one does.
#   tests/tools/ship_dlls_test.sh SOURCE_DIR
set -uo pipefail
ship=$1/tools/windows/ship-dlls
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/objdump" <<'FAKE'
#!/usr/bin/env bash
while read -r name; do printf '\tDLL Name: %s\r\n' "$name"; done <"$2"
FAKE
chmod +x "$work/objdump"

failures=0
# case name | imports of brixel.exe | DLLs in the prefix ("name:imports;...") | expected status |
# files expected in the stage afterwards | text expected in the error output | imports of
# brixel-relay.exe (no relay in the stage when empty)
cases=(
  "system only|KERNEL32.dll msvcrt.dll USER32.dll||0|brixel.exe|"
  "chain from the prefix|SDL2.dll kernel32.dll|SDL2.dll:libz.dll gdi32.dll;libz.dll:KERNEL32.dll|0|brixel.exe SDL2.dll libz.dll|"
  "unknown import of the exe|kernel32.dll wineonly.dll||1||wineonly.dll (imported by brixel.exe)"
  "unknown import of a shipped DLL|SDL2.dll|SDL2.dll:ucrtbase.dll|1||ucrtbase.dll (imported by SDL2.dll)"
  "prefix DLL not named is not shipped|user32.dll|extra.dll:kernel32.dll|0|brixel.exe|"
  "relay with the network's system DLLs|ws2_32.dll winmm.dll|SDL2.dll:kernel32.dll|0|brixel.exe brixel-relay.exe||WS2_32.dll WINMM.dll KERNEL32.dll"
  "relay's own import from the prefix|kernel32.dll|libz.dll:kernel32.dll|0|brixel.exe brixel-relay.exe libz.dll||libz.dll"
  "unknown import of the relay|kernel32.dll||1||wineonly.dll (imported by brixel-relay.exe)|wineonly.dll"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name exe prefix_dlls want_status want_files want_error relay <<<"$row"
  rm -rf "$work/stage" "$work/prefix"
  mkdir -p "$work/stage" "$work/prefix/bin"
  tr ' ' '\n' <<<"$exe" >"$work/stage/brixel.exe"
  [ -z "$relay" ] || tr ' ' '\n' <<<"$relay" >"$work/stage/brixel-relay.exe"
  IFS=';' read -ra dlls <<<"$prefix_dlls"
  for entry in "${dlls[@]}"; do
    tr ' ' '\n' <<<"${entry#*:}" >"$work/prefix/bin/${entry%%:*}"
  done
  OBJDUMP="$work/objdump" "$ship" "$work/stage" "$work/prefix" 2>"$work/error"
  status=$?
  got_files=$(cd "$work/stage" && ls | sort | tr '\n' ' ' | sed 's/ $//')
  sorted_want=$(tr ' ' '\n' <<<"$want_files" | sed '/^$/d' | sort | tr '\n' ' ' | sed 's/ $//')
  if [ "$status" != "$want_status" ]; then
    echo "FAIL $name: expected exit status $want_status, got $status ($(cat "$work/error"))"
    failures=$((failures + 1))
  elif [ "$want_status" = 0 ] && [ "$got_files" != "$sorted_want" ]; then
    echo "FAIL $name: expected the stage to hold '$sorted_want', got '$got_files'"
    failures=$((failures + 1))
  elif [ -n "$want_error" ] && ! grep -qF "$want_error" "$work/error"; then
    echo "FAIL $name: expected the error to name '$want_error', got '$(cat "$work/error")'"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
done
[ $failures -eq 0 ]
