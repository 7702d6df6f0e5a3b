#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of
# it with the project's .clang-format, and names the files.
# Usage: tools/check-format.sh CLANG-FORMAT [SOURCE-DIR]
set -euo pipefail
format=$1
root="${2:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
cd "$root"
mapfile -t files < <(find src tests bench fuzz web/src -name '*.cpp' -o -name '*.h' 2>/dev/null | sort)
bad=()
for file in "${files[@]}"; do
  "$format" --style=file "$file" | cmp -s - "$file" || bad+=("$file")
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "not formatted (run: $format -i --style=file FILE):" >&2
  printf '  %s\n' "${bad[@]}" >&2
  exit 1
fi
echo "formatting: ${#files[@]} files as clang-format leaves them"
