#!/usr/bin/env bash
# Fetches ERFA's sources for the web build from Debian's source package, the
# same release as the desktop's liberfa-dev, and unpacks the C files in DEST.
# apt-get checks the archive's signature (the machine's keyring) and each
# file's checksum; its lists, caches and state go under DEST, so the
# machine's apt configuration is neither read for sources nor changed.
# The archive's address is taken from the machine's own Debian sources.
# Usage: tools/fetch-erfa.sh DEST [VERSION]
set -euo pipefail
dest=$(mkdir -p "$1" && cd "$1" && pwd)
version=${2:-2.0.0-1}
[ -f "$dest/src/erfa.h" ] && exit 0

# The first Debian archive among the machine's sources (deb822 or one-line form).
uri=$(sed -n 's/^URIs:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 | cut -d' ' -f1)
suite=$(sed -n 's/^Suites:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 | cut -d' ' -f1)
keyring=$(sed -n 's/^Signed-By:[[:space:]]*//p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1)
if [ -z "$uri" ]; then
  read -r _ uri suite _ < <(grep -E '^deb[[:space:]]' /etc/apt/sources.list | head -n 1)
fi
keyring=${keyring:-/usr/share/keyrings/debian-archive-keyring.gpg}

apt="$dest/apt"
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/parts" "$apt/prefs"
: >"$apt/status"
cat >"$apt/sources.list" <<SOURCES
deb-src [signed-by=$keyring] $uri $suite main
SOURCES
opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
  -o "Dir::Etc::Preferences=$apt/prefs/none" -o "Dir::Etc::PreferencesParts=$apt/prefs"
  -o "Dir::State=$apt" -o "Dir::State::Lists=$apt/lists" -o "Dir::State::status=$apt/status"
  -o "Dir::Cache=$apt/cache" -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root" -q)
apt-get "${opts[@]}" update >&2
cd "$apt"
apt-get "${opts[@]}" source --download-only "erfa=$version" >&2
# Only the library's C files and its licence, out of the checked tarball.
tarball=$(ls erfa_*.orig.tar.* | head -n 1)
tar -xf "$tarball" -C "$dest" --strip-components=1 --wildcards '*/src/*.c' '*/src/*.h' '*/LICENSE'
