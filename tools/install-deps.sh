#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, when missing.
# Safe to run again: it does nothing once everything is there.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libcairo2-dev libimagequant-dev
          fonts-dejavu-core fonts-dseg g++-mingw-w64-i686 binutils-mingw-w64-i686
          python3 python3-pefile imagemagick libgeographiclib-dev libpng-dev)
wine_packages=(wine wine32:i386)

missing=()
for p in "${packages[@]}" "${wine_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
echo "install-deps: installing ${missing[*]}"
apt-get update -q >/dev/null
apt-get install -y -q --no-install-recommends "${packages[@]}" >/dev/null
apt-get install -y -q "${wine_packages[@]}" >/dev/null
