#!/usr/bin/env bash
# Renders the program's icon (data/icons/hicolor/scalable/apps/<id>.svg) into the PNG sizes
# beside it. The PNG files are kept in the repository, so a normal build never runs this.
# Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
icons="$here/../data/icons/hicolor"
id="org.kolvane.Kolvane"
svg="$icons/scalable/apps/$id.svg"

command -v rsvg-convert >/dev/null 2>&1 || {
  echo "make-icons: rsvg-convert is needed (apt-get install librsvg2-bin)" >&2
  exit 1
}
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "$icons/${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$icons/${size}x${size}/apps/$id.png"
done
