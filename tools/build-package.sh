#!/usr/bin/env bash
# Builds the Debian package from the source tree with debhelper, as Debian
# builds any package (dpkg-buildpackage -b -us -uc), in a copy of the tree so
# that nothing is written beside the clone.
# Usage: tools/build-package.sh [OUTPUT-DIR]   (default: build/package)
# The package ends up as OUTPUT-DIR/domarium_VERSION_ARCH.deb.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/package}")"
bash "$root/tools/install-deps.sh"

rm -rf "$out"
mkdir -p "$out/source"
# The files of the clone, committed or not, without builds and ignored files.
git -C "$root" ls-files -z --cached --others --exclude-standard |
  tar -C "$root" --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -C "$out/source" -xf -
cd "$out/source"
DEB_BUILD_OPTIONS="parallel=2 ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -b -us -uc >"$out/build.log" 2>&1 ||
  { tail -n 50 "$out/build.log"; echo "dpkg-buildpackage failed; the whole log is $out/build.log" >&2; exit 1; }
ls "$out"/domarium_*.deb
