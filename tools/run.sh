#!/usr/bin/env bash
# Builds Domarium and starts it in the folder that holds StarData.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/install-deps.sh"
cmake --preset release -S "$root" >/dev/null
cmake --build "$root/build/release" --target domarium
cd "$root"
exec "$root/build/release/src/window/domarium"
