#!/usr/bin/env bash
# Installs every Debian package that building, testing, packaging and running Kolvane need.
# Idempotent: only what is missing is installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format-14 git
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-qpa-plugins
  qt6-translations-l10n
  libgl-dev libx11-dev libfontconfig-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
  xvfb xauth x11-utils xdotool imagemagick poppler-utils
  sox espeak-ng
  desktop-file-utils appstream file
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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
