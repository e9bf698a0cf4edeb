#!/usr/bin/env bash
# Fails when a C++ source of the project is not formatted as .clang-format
# says (tools/format.sh applies it).
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -co --exclude-standard -- '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done | xargs clang-format --dry-run --Werror
