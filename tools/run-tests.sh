#!/usr/bin/env bash
# Sets up the machine, checks the formatting, builds javagen from scratch in
# build/ (warnings are errors, sanitizers on) and runs every test, then the
# run tests once more with the thread sanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh --tests
bash tools/check-format.sh
cmake -S . -B build -DJAVAGEN_TESTS=ON -DJAVAGEN_SANITIZE=ON -DJAVAGEN_WERROR=ON
cmake --build build -j"$(nproc)"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)")
# The run, its writer thread and the listeners share state: the run tests
# again under the thread sanitizer (without the workbench, which the
# sanitizer build does not need).
cmake -S . -B build-tsan -DJAVAGEN_TESTS=ON -DJAVAGEN_GUI=OFF -DJAVAGEN_TSAN=ON -DJAVAGEN_WERROR=ON
cmake --build build-tsan -j"$(nproc)" --target codegen_tests
TSAN_OPTIONS=halt_on_error=1 build-tsan/bin/codegen_tests --gtest_filter='GenerationRunTest.*:MergeRunTest.*'

