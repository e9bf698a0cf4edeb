#!/usr/bin/env bash
# Times a run of 1,500 classes x 20 members started from the workbench window
# (offscreen) next to the same run through javagen-cli, best of three each.
# Builds an optimised copy with the workbench in build-bench-gui/.
#   bench/window.sh [CLASSES]        BENCH_DIR=/dev/shm for tmpfs
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-1500}"
cmake -S . -B build-bench-gui -DCMAKE_BUILD_TYPE=Release -DJAVAGEN_BENCH=ON > /dev/null
cmake --build build-bench-gui -j"$(nproc)" --target javagen-cli bench_make_model bench_window_run copy_templates > /dev/null
bin="$PWD/build-bench-gui/bin"
work="$(mktemp -d "${BENCH_DIR:-/tmp}/javagen-window-XXXXXX")"
trap 'rm -rf "$work"' EXIT
"$bin/bench_make_model" "$work/bench.mdb" "$n" web
best() { sort -n | head -1; }
cli=$(for i in 1 2 3; do
  rm -rf "$work/out"
  start=$(date +%s.%N)
  "$bin/javagen-cli" --db "$work/bench.mdb" generate Bench --templates "$bin/template" --root "$work/out" > /dev/null 2>&1
  awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN { printf "%.3f\n", e - s }'
done | best)
window=$(for i in 1 2 3; do
  rm -rf "$work/out"
  QT_QPA_PLATFORM=offscreen "$bin/bench_window_run" "$work/bench.mdb" Bench "$bin/template" "$work/out" 2> /dev/null
done | best)
echo "classes=$n cli_s=$cli window_s=$window ratio=$(awk -v w="$window" -v c="$cli" 'BEGIN { printf "%.2f", w / c }')"
