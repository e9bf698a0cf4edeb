#!/usr/bin/env bash
# Sets up the machine, builds javagen and starts it from build/bin, where it
# finds projects.mdb, template/ and writes projects/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DJAVAGEN_TESTS=OFF
cmake --build build -j"$(nproc)"
cd build/bin
if [ -x ./javagen ]; then
  exec ./javagen
else
  exec ./javagen-cli --help
fi
