#!/usr/bin/env bash
# Fails when a C++ file of the project differs from the project's .clang-format; prints where.
# Works in a git checkout (the tracked files) and in an unpacked source tarball (every file but
# the build folders').
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd -P)"
cd "$root"
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  git ls-files -z '*.cpp' '*.h'
else
  find . \( -path './build' -o -path './build-*' -o -path './obj-*' -o -path './debian' \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0
fi | xargs -0 -r clang-format-14 --dry-run -Werror
