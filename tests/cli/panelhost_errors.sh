#!/usr/bin/env bash
# Every bad input gets one line on stderr naming the problem and exit 2.
set -u
host=$1
gauges=$2
resources=$3
module=$gauges/Kestrum.so
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
echo "not a module" > "$tmp/text.so"
failed=0

expect() {  # expect WANTED-TEXT ARGS...
  local want=$1
  shift
  "$host" "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  local lines
  lines=$(wc -l <"$tmp/err")
  if [ $rc -ne 2 ] || [ "$lines" -ne 1 ] || ! grep -q -- "$want" "$tmp/err" || [ -s "$tmp/out" ]; then
    echo "FAIL: $* -> rc $rc, stderr: $(cat "$tmp/err")"
    failed=1
  fi
}

expect "no such file" probe --module "$tmp/none.so" --gauge Vsi
expect "not a module" probe --module "$tmp/text.so" --gauge Vsi
expect "no such file" probe --module "$tmp" --gauge Vsi
expect "no such gauge: Nope" probe --module "$module" --gauge Nope --resources "$resources"
expect "malformed step --set" probe --module "$module" --gauge Vsi --set 65
expect "malformed step --click" probe --module "$module" --gauge Vsi --click 1
expect "unknown argument" probe --module "$module" --gauge Vsi --sett 65=1
expect "unknown command" frobnicate
expect "--out" render --module "$module" --gauge Vsi
expect "bitmap 256 is missing" probe --module "$module" --gauge Vsi --resources "$tmp"
expect "cannot write" render --module "$module" --gauge Vsi --resources "$resources" --out "$tmp/no/such/dir/x.png"

"$host" probe --module "$module" --gauge Vsi --resources "$resources" --set 65=0 >"$tmp/out" 2>"$tmp/err" || { echo "FAIL: a good probe failed: $(cat "$tmp/err")"; failed=1; }
if [ $failed -eq 0 ]; then echo "panelhost errors: all cases pass"; fi
exit $failed
