#!/usr/bin/env bash
# Times importing a large model file: a model of CLASSES classes x 20
# members (web shape) exported once, then imported as a new project into
# a fresh database. 50,000 classes by default.
#   bench/import.sh [CLASSES]      BENCH_DIR=/dev/shm for tmpfs
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-50000}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DJAVAGEN_GUI=OFF -DJAVAGEN_BENCH=ON > /dev/null
cmake --build build-bench -j"$(nproc)" --target javagen-cli bench_make_model bench_run_measured > /dev/null
bin="$PWD/build-bench/bin"
work="$(mktemp -d "${BENCH_DIR:-/tmp}/javagen-import-XXXXXX")"
trap 'rm -rf "$work"' EXIT
"$bin/bench_make_model" "$work/made.mdb" "$n" web
"$bin/javagen-cli" --db "$work/made.mdb" export Bench "$work/model.json" 2> /dev/null
seconds=$("$bin/bench_run_measured" "$bin/javagen-cli" --db "$work/fresh.mdb" import "$work/model.json" 2>/dev/null |
  tail -1)
read -r s _ <<< "$seconds"
echo "classes $n, $(($n * 20)) members, $(du -h "$work/model.json" | cut -f1) of JSON: import ${s} s"
