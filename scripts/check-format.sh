#!/usr/bin/env bash
# Fails when a tracked C++ file differs from the project's .clang-format; prints where.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run -Werror
