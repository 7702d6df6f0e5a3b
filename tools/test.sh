#!/usr/bin/env bash
# Builds Domarium and runs every test: the release build with warnings as
# errors, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/install-deps.sh"
cd "$root"
jobs="$(nproc)"
cmake --preset ci >/dev/null
cmake --build build/ci -j "$jobs"
ctest --preset ci -j "$jobs"
