#!/usr/bin/env bash
# Installs what the web edition needs beyond tools/install-deps.sh, from
# Debian's packages: emscripten (C++ to WebAssembly), the acorn modules its
# JavaScript optimizer loads, Chromium for the page tests. npm comes with Node;
# Debian's npm package is installed only where no npm is found.
set -euo pipefail

packages=(emscripten node-acorn chromium nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for package in "${packages[@]}"; do
  # nodejs from another source counts as present when node runs.
  [ "$package" = nodejs ] && command -v node >/dev/null 2>&1 && continue
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
