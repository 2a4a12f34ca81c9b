#!/usr/bin/env bash
# Renders Vsi at several vertical speeds into a folder, natively.
# usage: demo.sh NATIVE_BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
# The needle reads token 65 times 0.769 as feet per minute.
for fpm in -2000 -1500 -1000 -500 0 500 1000 1500 2000; do
  token=$(awk "BEGIN { printf \"%.10g\", $fpm / 0.769 }")
  "$build/bin/panelhost" render --module "$build/gauges/Kestrum.so" --gauge Vsi \
    --set "65=$token" --out "$out/vsi_${fpm}fpm.png"
done
echo "demo: Vsi rendered at -2000 to 2000 ft/min into $out/"
