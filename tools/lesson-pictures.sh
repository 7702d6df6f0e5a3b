#!/usr/bin/env bash
# Draws the lesson pictures of docs/ with the snapshot tool: the four lessons of the
# classroom audit at the chart sides of a 1280x800 screen, an 820x1180 tablet at
# density 2 and a 1920x1080 projector (docs/lessons/), and the README's pictures.
# Usage: tools/lesson-pictures.sh [SNAPSHOT]   (default build/release's)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
snapshot="${1:-build/release/src/snapshot/domarium-snapshot}"
draw() { QT_QPA_PLATFORM=offscreen "$snapshot" --stardata StarData "$@" 2>/dev/null; }

declare -A lessons=(
  [sun-0900]="--month 6 --day 21 --hour 9 --elevation -25 --azimuth 160 --overlays sun"
  [sun-1200]="--month 6 --day 21 --hour 12 --elevation -25 --azimuth 160 --overlays sun"
  [seasons]="--month 6 --day 21 --elevation -20 --azimuth 20 --overlays seasons"
  [north-trails]="--month 2 --day 15 --hour 21 --azimuth 180 --elevation -10 --limit 5 --overlays trails,circles"
  [orion-names]="--month 2 --day 15 --hour 20 --elevation -25 --overlays constellations,names"
)
for name in "${!lessons[@]}"; do
  # shellcheck disable=SC2086
  {
    draw ${lessons[$name]} --size 767 -o "docs/lessons/$name-1280x800.png"
    draw ${lessons[$name]} --size 780 --scale 2 -o "docs/lessons/$name-820x1180-2x.png"
    draw ${lessons[$name]} --size 1047 -o "docs/lessons/$name-1920x1080.png"
  }
done

draw --month 2 --day 15 --hour 20 --limit 5 --elevation -25 -o docs/chart.png
draw --month 6 --day 21 --hour 9 --elevation -25 --azimuth 160 --overlays sun -o docs/sun-path.png
draw --month 6 --day 21 --elevation -20 --azimuth 20 --overlays seasons -o docs/seasons.png
draw --month 8 --day 1 --hour 20 --azimuth 180 --overlays constellations,names -o docs/ground-dome.png
draw --view sky --month 8 --day 1 --hour 20 --azimuth 180 --overlays constellations,names -o docs/ground-sky.png
draw --view horizon --azimuth 180 --month 3 --day 21 --hour 9 --overlays sun,seasons,daylight -o docs/ground-horizon.png
draw --month 8 --day 15 --hour 19 --minute 30 --azimuth 90 --elevation -20 --overlays moon,planets --size 600 -o docs/crescent-venus.png
draw --month 8 --day 15 --hour 19 --minute 30 --azimuth 90 --elevation -20 --overlays moon,planets,space -o docs/space-inset.png
draw --month 12 --day 5 --hour 10 --elevation -25 --overlays ecliptic --size 600 -o docs/ecliptic.png
draw --month 12 --day 5 --hour 0 --elevation -25 --overlays orbit,ecliptic --size 600 -o docs/orbit-inset.png
draw --month 2 --day 15 --hour 20 --azimuth 180 --elevation -25 --overlays trails --trail-hours 6 --size 600 -o docs/trails.png
draw --month 2 --day 15 --hour 20 --elevation -20 --overlays constellations,names --size 600 -o docs/constellations.png
