#!/usr/bin/env bash
# Runs the same probe steps on the native modules and on the win32 .gau
# files under Wine (through panelhost.exe) and compares the output byte for
# byte. Each line of the cases file: MODULE GAUGE [STEP]...; '#' starts a
# comment.
#
# usage: compare_probe.sh NATIVE_PANELHOST NATIVE_GAUGE_DIR RESOURCES WIN32_BUILD_DIR CASES
set -u
native=$1
native_gauges=$2
resources=$3
win32=$4
cases=$5
export WINEDEBUG=-all
export WINEPREFIX=${WINEPREFIX:-$win32/wineprefix}
command -v wine >/dev/null || { echo "FAIL: wine is not installed"; exit 1; }
[ -x "$win32/bin/panelhost.exe" ] || { echo "FAIL: $win32/bin/panelhost.exe is not built"; exit 1; }

# A ready prefix, and one wine server for the whole run, so that each probe
# starts quickly and prints nothing of Wine's own.
wineboot --init >/dev/null 2>&1
wineserver -p 30 2>/dev/null
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"; wineserver -k 2>/dev/null' EXIT
passed=0
failed=0
while read -r module gauge steps; do
  case "$module" in ''|'#'*) continue ;; esac
  # shellcheck disable=SC2086
  "$native" probe --module "$native_gauges/$module.so" --resources "$resources" --gauge "$gauge" $steps >"$tmp/native" 2>"$tmp/native.err"
  n=$?
  # shellcheck disable=SC2086
  wine "$win32/bin/panelhost.exe" probe --module "$win32/gauges/$module.gau" --gauge "$gauge" $steps \
    2>"$tmp/wine.err" </dev/null | tr -d '\r' >"$tmp/wine"
  w=${PIPESTATUS[0]}
  if [ $n -eq $w ] && cmp -s "$tmp/native" "$tmp/wine"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL: $module $gauge $steps (native exit $n, wine exit $w)"
    diff "$tmp/native" "$tmp/wine" | head -5
    head -3 "$tmp/native.err" "$tmp/wine.err"
  fi
done <"$cases"
echo "win32 probe: $passed passed, $failed failed"
[ $failed -eq 0 ] && [ $passed -gt 0 ]
