#!/usr/bin/env bash
# Installs what Domarium needs to build, test and run on Debian 12, from
# Debian's packages. Does nothing when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev liberfa-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fontconfig libfontconfig-dev
  fonts-morisawa-bizud-gothic libstb-dev python3-fonttools
  xvfb x11-utils xdotool
  clang libclang-rt-dev
  valgrind dpkg-dev desktop-file-utils librsvg2-bin clang-format
  emscripten node-acorn chromium
  debhelper lintian appstream man-db groff-base
)
# The web edition's page tests install puppeteer-core with npm. Node's own
# packages may bring npm with them; Debian's npm only where none is found.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
