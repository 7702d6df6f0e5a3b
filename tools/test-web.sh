#!/usr/bin/env bash
# The web edition's tests: builds it (tools/web.sh --build) with the glyph file
# of the desktop build given as the first argument (default build/ci), runs the
# engine's unit tests under Node, then drives the page in headless Chromium
# against that build's domarium-snapshot pictures and prints the edition's
# figures. Everything it fetches or caches stays in build/web.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
native="${1:-build/ci}"
started=$SECONDS

NATIVE_BUILD="$native" bash tools/web.sh --build
cmake --build build/web -j 2
ctest --preset web
snapshot="$native/src/snapshot/domarium-snapshot"
[ -x "$snapshot" ] || cmake --build "$native" -j 2 --target domarium-snapshot

# puppeteer-core at the version locked in web/, without a browser download:
# the tests use Debian's chromium.
node_dir=build/web/node
mkdir -p "$node_dir"
cp web/package.json web/package-lock.json "$node_dir/"
if ! cmp -s web/package-lock.json "$node_dir/node_modules/.package-lock.json" 2>/dev/null; then
  (cd "$node_dir" && PUPPETEER_SKIP_DOWNLOAD=1 npm_config_cache="$PWD/npm-cache" \
    npm ci --no-audit --no-fund --loglevel=error)
fi

port="$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web/site >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true' EXIT
# The page lives in a sub-folder of the server's root in a school; here at the
# root, and "outside the folder" means another host or port.
for _ in $(seq 50); do
  python3 -c "import urllib.request; urllib.request.urlopen('http://127.0.0.1:$port/')" 2>/dev/null && break
  sleep 0.1
done

export NODE_PATH="$root/$node_dir/node_modules" SITE_URL="http://127.0.0.1:$port/"
SNAPSHOT="$root/$snapshot" SOURCE_DIR="$root" node --test web/tests/page-test.js

echo "== Web edition figures"
bench="$native/bench/domarium_bench"
SITE_DIR="$root/build/web/site" NATIVE_BENCH="$([ -x "$bench" ] && echo "$root/$bench")" \
  node web/tests/measure.js
echo "Web edition: $((SECONDS - started)) s"
