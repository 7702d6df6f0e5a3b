#!/usr/bin/env bash
# Builds one libFuzzer target with clang++ in build/fuzz (the fuzz preset) and runs it.
# Usage: tools/fuzz.sh NAME SECONDS [libFuzzer options...]
#   NAME     stardata | constellations | snapshot_options
#   SECONDS  how long to fuzz (libFuzzer's -max_total_time)
# DOMARIUM_FUZZ_PROGRAM=domarium or domarium-snapshot limits snapshot_options to one program.
# The committed seeds in fuzz/corpus/NAME are read, never written; what the
# fuzzer learns goes to build/fuzz/corpus/NAME, and a crashing input to
# build/fuzz/artifacts/. A fault ends the run with a non-zero status.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ $# -lt 2 ]; then
  echo "usage: $0 NAME SECONDS [libFuzzer options...]  (NAME: stardata | constellations | snapshot_options)" >&2
  exit 2
fi
name=$1 seconds=$2
shift 2
case "$name" in
  stardata | constellations | snapshot_options) ;;
  *) echo "unknown fuzz target: $name (stardata | constellations | snapshot_options)" >&2; exit 2 ;;
esac

build="$root/build/fuzz"
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build "$build" --target "fuzz_$name"

mkdir -p "$build/corpus/$name" "$build/artifacts"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS="detect_leaks=1"
exec "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=1024 \
  -artifact_prefix="$build/artifacts/$name-" "$@" "$build/corpus/$name" "$root/fuzz/corpus/$name"
