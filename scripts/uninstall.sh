#!/usr/bin/env bash
# Removes what the last `cmake --install` from a build folder installed, as listed in its
# install_manifest.txt, and then the folders that install left empty. Files that belong to a
# Debian package are never removed: that package goes with apt-get.
#
#   scripts/uninstall.sh [BUILD_DIR]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
manifest="$build/install_manifest.txt"
[ -f "$manifest" ] || {
  echo "uninstall: $manifest is missing: nothing was installed from this build folder" >&2
  exit 1
}

files=()
while IFS= read -r f || [ -n "$f" ]; do
  [ -n "$f" ] && files+=("$f")
done <"$manifest"

for f in "${files[@]}"; do
  if package="$(dpkg-query -S "$f" 2>/dev/null)"; then
    package="${package%%: *}"
    echo "uninstall: $f belongs to the Debian package $package, which apt-get removes;" \
      "nothing was removed" >&2
    exit 1
  fi
  if [ -e "$f" ] || [ -L "$f" ]; then
    [ -w "$(dirname "$f")" ] || {
      echo "uninstall: $(dirname "$f") may not be changed by you; run it with sudo" >&2
      exit 1
    }
  fi
done

for f in "${files[@]}"; do
  rm -f -- "$f"
done

# The folders the install made go when they are empty now, up to the prefix. What stays: a
# folder right under /, the usual prefixes (/usr/local, ~/.local) with their bin, lib, share and
# share/man, every folder a package owns, and every folder that still holds anything.
keep() {
  case "$1" in
    /*/*) ;;
    *) return 0 ;; # /, /opt, /usr ...
  esac
  case "$1" in
    /usr/local | */.local | "$HOME" | /usr/local/share/man | */.local/share/man) return 0 ;;
  esac
  case "${1%/*}" in
    /usr | /usr/local | */.local) return 0 ;;
  esac
  dpkg-query -S "$1" >/dev/null 2>&1
}
for f in "${files[@]}"; do
  d="$(dirname "$f")"
  while [ -d "$d" ] && ! keep "$d" && rmdir -- "$d" 2>/dev/null; do
    d="$(dirname "$d")"
  done
done
echo "uninstall: removed what $manifest lists"
