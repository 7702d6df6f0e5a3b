#!/usr/bin/env bash
# Fails when a file in src/ includes a folder of src/ that its layer may not
# look at (each layer looks only down, at the folders listed after it), and when
# files include each other in a circle, within a folder or across folders: a .h
# and its .cpp count as one, so a .cpp that includes a header which includes the
# .cpp's own header closes a circle. The message names the files of the circle.
# Usage: tools/check-layers.sh [SOURCE-DIR]
set -euo pipefail
root="${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"

declare -A allowed=(
  [core]=""
  [time]="core astro"
  [astro]="core"
  [geometry]="core"
  [catalogue]="core geometry"
  [render]="core geometry time astro"
  [session]="core time astro geometry catalogue render"
  [qttext]="core render"
  [cmdline]="core"
  [window]="core time astro geometry catalogue render session qttext cmdline"
  [snapshot]="core time astro geometry catalogue render qttext cmdline"
)
# Folders that must not see Qt at all: everything the browser edition compiles.
engine=(core time astro geometry catalogue render session)

status=0
cd "$root/src"
for layer in */; do
  layer=${layer%/}
  if [ -z "${allowed[$layer]+set}" ]; then
    echo "src/$layer: a folder the layer table does not know" >&2
    status=1
    continue
  fi
  while IFS=: read -r file line include; do
    target=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    [ "$target" = "$layer" ] && continue
    if [[ " ${allowed[$layer]} " != *" $target "* ]]; then
      echo "src/$file:$line: $layer may not include $target ($include)" >&2
      status=1
    fi
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]+/' "$layer" || true)
done
for layer in "${engine[@]}"; do
  [ -d "$layer" ] || continue
  if grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$layer" >&2; then
    echo "src/$layer: Qt is for the front ends only" >&2
    status=1
  fi
done

# Circles tolerated, each the files (without .h/.cpp) of one circle, sorted: none.
known_circles=()

# Every strongly connected set of files in the graph of includes; an include resolves
# against src/ first, then against the including file's folder.
if ! python3 - "$root/src" "${known_circles[@]}" <<'PYTHON'; then
import collections, os, re, sys

src = sys.argv[1]
known = {tuple(circle.split()) for circle in sys.argv[2:]}
include = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
edges = collections.defaultdict(dict)  # unit -> {included unit: (file, line)}
for folder, _, names in os.walk(src):
    for name in sorted(names):
        if not name.endswith((".h", ".cpp")):
            continue
        path = os.path.join(folder, name)
        unit = os.path.splitext(os.path.relpath(path, src))[0]
        edges[unit]
        with open(path, encoding="utf-8") as text:
            for number, line in enumerate(text, 1):
                match = include.match(line)
                if not match:
                    continue
                for candidate in (os.path.join(src, match[1]), os.path.join(folder, match[1])):
                    if os.path.isfile(candidate):
                        target = os.path.splitext(os.path.relpath(candidate, src))[0]
                        if target != unit:
                            edges[unit].setdefault(target, (os.path.relpath(path, src), number))
                        break

# Tarjan's strongly connected components, without recursion.
index, low, stack, on_stack, components = {}, {}, [], set(), []
for start in sorted(edges):
    if start in index:
        continue
    work = [(start, iter(sorted(edges[start])))]
    index[start] = low[start] = len(index)
    stack.append(start)
    on_stack.add(start)
    while work:
        unit, targets = work[-1]
        target = next(targets, None)
        if target is not None:
            if target not in index:
                index[target] = low[target] = len(index)
                stack.append(target)
                on_stack.add(target)
                work.append((target, iter(sorted(edges[target]))))
            elif target in on_stack:
                low[unit] = min(low[unit], index[target])
            continue
        work.pop()
        if work:
            low[work[-1][0]] = min(low[work[-1][0]], low[unit])
        if low[unit] == index[unit]:
            component = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                component.append(member)
                if member == unit:
                    break
            if len(component) > 1:
                components.append(tuple(sorted(component)))

status = 0
for component in components:
    if component in known:
        continue
    status = 1
    members = set(component)
    print("src: a circle of includes between " + ", ".join("src/" + m for m in component) +
          " (a .h and its .cpp count as one):", file=sys.stderr)
    for unit in component:
        for target, (path, number) in sorted(edges[unit].items()):
            if target in members:
                print(f"  src/{path}:{number} includes {target}", file=sys.stderr)
sys.exit(status)
PYTHON
  status=1
fi
[ "$status" -eq 0 ] && echo "layers: every include looks down, and no files include each other in a circle"
exit "$status"
