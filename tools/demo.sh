#!/usr/bin/env bash
# Flies the default panel through the built-in flight: the frames and the
# page that plays them, and one picture of the panel's mouse areas.
# usage: demo.sh NATIVE_BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
"$build/bin/panelhost" run --out "$out"
"$build/bin/panelhost" render --at 20 --overlay mouse --width 2048 --out "$out/mouse_areas.png"
echo "demo: open $out/index.html (and $out/mouse_areas.png for the panel's mouse areas)"
