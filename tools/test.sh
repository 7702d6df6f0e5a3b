#!/usr/bin/env bash
# Builds Domarium and runs every test: the release build with warnings as
# errors, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/install-deps.sh"
cd "$root"
jobs="$(nproc)"

echo "== Release build (warnings as errors)"
cmake --preset ci >/dev/null
cmake --build build/ci -j "$jobs"
ctest --preset ci -j "$jobs"

echo "== Web edition (WebAssembly engine under Node, the page in headless Chromium)"
bash "$root/tools/test-web.sh" build/ci

echo "== AddressSanitizer and UndefinedBehaviorSanitizer"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake --preset asan >/dev/null
cmake --build build/asan -j "$jobs"
ctest --preset asan -j "$jobs"
