#!/usr/bin/env bash
# Builds Domarium's web edition into build/web/site (and build/web/domarium-web.zip
# for a school's server), then serves the folder on 127.0.0.1 for a look.
#   bash tools/web.sh            build, zip and serve on port 8000 (PORT=... for another)
#   bash tools/web.sh --build    build and zip only (the test command uses this)
# The compass letters' glyph masks are drawn with the desktop's chart font by the
# desktop build (NATIVE_BUILD, default build/release; configured here when
# missing), one file a draw scale, with the characters of every label, to which
# the web build cuts the label font down.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/tools/install-deps.sh"
cd "$root"
native="${NATIVE_BUILD:-build/release}"

[ -f "$native/CMakeCache.txt" ] || cmake --preset "$(basename "$native")" >/dev/null
cmake --build "$native" -j 2 --target domarium-glyph-file
mkdir -p build/web
(cd "$root" && QT_QPA_PLATFORM=offscreen "$native/web/tools/domarium-glyph-file" build/web)

cmake --preset web -DDOMARIUM_GLYPH_FILE="$root/build/web/ChartGlyphs" >/dev/null
cmake --build build/web -j 2 --target domarium-web-site

rm -f build/web/domarium-web.zip
(cd build/web/site && python3 -m zipfile -c ../domarium-web.zip ./*)
echo "Built: build/web/site (zip: build/web/domarium-web.zip)"

[ "${1:-}" = "--build" ] && exit 0
port="${PORT:-8000}"
echo "Serving on http://127.0.0.1:$port/ (Ctrl+C ends)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site
