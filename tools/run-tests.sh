#!/usr/bin/env bash
# Sets up the machine, checks the formatting, builds javagen from scratch in
# build/ (warnings are errors, sanitizers on) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests
bash tools/check-format.sh
cmake -S . -B build -DJAVAGEN_TESTS=ON -DJAVAGEN_SANITIZE=ON -DJAVAGEN_WERROR=ON
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
