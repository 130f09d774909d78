#!/usr/bin/env bash
# Installs what is missing, checks the format and the includes, builds everything, runs every
# test and checks the installed program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/check-format.sh"
"$root/scripts/check-includes.sh"
"$root/scripts/build.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
# The program as installed from this build, and as a Debian package.
"$root/scripts/check-install.sh" --deb "$root/build"
