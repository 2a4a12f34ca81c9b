#!/usr/bin/env bash
# panelhost's panel commands end to end: the default panel checked, a panel
# with mistakes still drawn with each mistake named, a short flight run into
# frames and a page, and the usage errors.
set -u
host=$1
gauges=$2
resources=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }
common=(--modules "$gauges" --resources "$resources")

# The default panel loads without a word and holds all thirteen gauges.
"$host" check "${common[@]}" >"$tmp/out" 2>"$tmp/err" || fail "check of the default panel: $(cat "$tmp/err")"
[ -s "$tmp/err" ] && fail "check of the default panel printed: $(cat "$tmp/err")"
for g in Asi Vsi Rpm Man Altimetro Altimetro2 Turn hsi Vor1 Vor2 DME Adf Clock; do
  awk '/^Window00/{on=1;next} /^Window/{on=0} on' "$tmp/out" | grep -q "!$g at" || fail "the main window has no $g"
done
[ "$(grep -c ' ident 10' "$tmp/out")" -eq 11 ] || fail "the default panel has not eleven pop-ups: $(cat "$tmp/out")"

# A panel with mistakes: each named at its line, the rest drawn, exit 1.
cat >"$tmp/p.cfg" <<'CFG'
[Window Titles]
Window00=Main
[Window00]
size_mm=400,200
gauge00=Kestrum!Asi 10, 10
gauge01=Kestrum!Vsi, 150, 10
gauge02=Nowhere!Vsi, 10, 10
gauge03=Kestrum!Nope, 10, 10
CFG
cat >"$tmp/s.scenario" <<'SCN'
panelhost-scenario 1
start 38.5 -97.7 1000 90
at 0 master on ; rpm 1000 over 1 ; click Vsi 150 100
at 2 speed 40 rate 10
at 10 end
SCN
"$host" render "$tmp/p.cfg" --scenario "$tmp/s.scenario" --at 5 --overlay mouse "${common[@]}" --out "$tmp/p.png" \
  >"$tmp/out" 2>"$tmp/err"
rc=$?
[ $rc -eq 1 ] || fail "render of a panel with mistakes exits $rc, not 1"
[ -s "$tmp/p.png" ] || fail "render of a panel with mistakes wrote no picture"
for want in "p.cfg:5: malformed gauge00" "p.cfg:6: gauge01 follows no gauge00" "p.cfg:7: gauge Nowhere!Vsi: no such file" "p.cfg:8: gauge Kestrum!Nope: Kestrum has no gauge named Nope"; do
  grep -qF "$want" "$tmp/err" || fail "no '$want' in: $(cat "$tmp/err")"
done
[ "$(grep -c 'p.cfg:' "$tmp/err")" -eq 4 ] || fail "expected four problems: $(cat "$tmp/err")"

# A short run: a frame every half second of ten, and the page.
"$host" run --scenario "$tmp/s.scenario" --fps 2 --width 320 --out "$tmp/run" --fail 6@4 "${common[@]}" \
  >"$tmp/out" 2>"$tmp/err" || fail "run: $(cat "$tmp/err")"
[ "$(ls "$tmp/run"/frame_*.png 2>/dev/null | wc -l)" -eq 21 ] || fail "run wrote $(ls "$tmp/run" | wc -l) files, not 21 frames"
grep -q '"file":"frame_00020.png"' "$tmp/run/index.html" || fail "the page does not list the last frame"
grep -q 'fail 6' "$tmp/run/index.html" || fail "the page's log has no failure"
grep -q 'ms a frame' "$tmp/err" || fail "run gave no time per frame: $(cat "$tmp/err")"

# Usage errors: one line, exit 2, nothing written.
expect() {  # expect WANTED-TEXT ARGS...
  local want=$1
  shift
  "$host" "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  if [ $rc -ne 2 ] || ! grep -q -- "$want" "$tmp/err"; then fail "$* -> rc $rc, stderr: $(cat "$tmp/err")"; fi
}
expect "--out FILE.png is required" render "${common[@]}"
expect "malformed --fps 0" run --fps 0 "${common[@]}"
expect "malformed --fail 6@soon" run --fail 6@soon "${common[@]}"
expect "unknown overlay" render --overlay keys --out "$tmp/x.png" "${common[@]}"
expect "unknown argument: --at" run --at 3 "${common[@]}"
printf 'panelhost-scenario 1\nat 1 hover\n' >"$tmp/bad.scenario"
expect "bad.scenario:2: unknown command 'hover'" run --scenario "$tmp/bad.scenario" "${common[@]}"
expect "cannot read scenario" render --scenario "$tmp/none.scenario" --out "$tmp/x.png" "${common[@]}"
printf '[Window Titles]\nWindow00=M\n[Window00]\nsize_mm=1,100000\n' >"$tmp/tall.cfg"
expect "pixels tall; choose a smaller --width" render "$tmp/tall.cfg" --out "$tmp/x.png" "${common[@]}"
[ -e "$tmp/x.png" ] && fail "a failed render wrote its picture"

if [ $failed -eq 0 ]; then echo "panel commands: all cases pass"; fi
exit $failed
