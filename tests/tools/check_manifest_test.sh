#!/usr/bin/env bash
# tools/windows/check-manifest on made-up executables: binary bytes around the game's own
# manifest, whole, spoiled, missing or twice.
#   tests/tools/check_manifest_test.sh SOURCE_DIR
set -uo pipefail
check=$1/tools/windows/check-manifest
manifest=$1/app/brixel.manifest
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
junk() { head -c 300 /dev/zero | tr '\0' '\1'; printf 'MZ\0\0\0'; }

failures=0
# case | sed expression applied to the manifest ("" keeps it; "none" leaves it out; "twice")
# | expected status | text expected in the error output
cases=(
  "the game's manifest||0|"
  "no per-monitor v2|s/PerMonitorV2, //|1|lacks PerMonitorV2"
  "old common controls|s/version=\"6.0.0.0\"/version=\"5.82.0.0\"/|1|Common-Controls"
  "no Windows 7|/35138b9a/d|1|35138b9a"
  "an administrator prompt|s/asInvoker/requireAdministrator/|1|asInvoker"
  "no manifest|none|1|holds 0 manifests"
  "two manifests|twice|1|holds 2 manifests"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name change want_status want_error <<<"$row"
  {
    junk
    case "$change" in
      none) ;;
      twice) cat "$manifest"; junk; cat "$manifest" ;;
      *) sed "$change" "$manifest" ;;
    esac
    junk
  } >"$work/brixel.exe"
  "$check" "$work/brixel.exe" >/dev/null 2>"$work/error"
  status=$?
  if [ "$status" != "$want_status" ]; then
    echo "FAIL $name: expected exit status $want_status, got $status ($(cat "$work/error"))"
    failures=$((failures + 1))
  elif [ -n "$want_error" ] && ! grep -qF -- "$want_error" "$work/error"; then
    echo "FAIL $name: expected the error to name '$want_error', got '$(cat "$work/error")'"
    failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
done
[ $failures -eq 0 ]
