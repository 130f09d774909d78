#!/usr/bin/env bash
# Installs every Debian package that building, testing, packaging and running Kolvane need.
# Idempotent: only what is missing is installed. Runs as root, or as a user with sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format-14 git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  qt6-translations-l10n
  libgl-dev libx11-dev libfontconfig-dev libcanberra-dev libcanberra-pulse
  libgtest-dev libgmock-dev googletest libbenchmark-dev libxdamage-dev valgrind strace
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
  xvfb xauth x11-utils xdotool imagemagick poppler-utils dbus-daemon
  sox espeak-ng
  desktop-file-utils appstream file
  debhelper dpkg-dev lintian
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

# sudo resets the environment, so the variable that keeps debconf from asking goes through env.
as_root=(env DEBIAN_FRONTEND=noninteractive)
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: these packages are missing: ${missing[*]}" >&2
    echo "install-deps: install them as root, or install sudo and run this again" >&2
    exit 1
  fi
  as_root=(sudo "${as_root[@]}")
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
