#!/usr/bin/env bash
# Times whole generation runs through javagen-cli for models of 1,000, 4,000
# and 10,000 classes x 20 members in three shapes (no references, a chain,
# a web of references), next to the time to write the same bytes (a copy of
# the generated tree on the same file system). Builds an optimised copy in
# build-bench/.
#   bench/run.sh [SIZES...]          BENCH_DIR=/dev/shm for tmpfs
#   BENCH_SHAPES="none chain web"    the shapes to time
#   BENCH_REPEAT=3                   runs per model; the fastest counts
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1000 4000 10000)
read -r -a shapes <<< "${BENCH_SHAPES:-none chain web}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DJAVAGEN_GUI=OFF -DJAVAGEN_BENCH=ON > /dev/null
cmake --build build-bench -j"$(nproc)" --target javagen-cli bench_make_model bench_run_measured bench_write_same copy_templates > /dev/null
bin="$PWD/build-bench/bin"
work="$(mktemp -d "${BENCH_DIR:-/tmp}/javagen-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
echo "writing to $work ($(df --output=fstype "$work" | tail -1))"
printf '%-6s %-8s %-7s %-11s %-7s %-7s %-13s %-8s %-11s %-8s\n' \
  shape classes files generate_s user_s sys_s write_same_s ratio s_per_1000 peak_MiB
for shape in "${shapes[@]}"; do
  for n in "${sizes[@]}"; do
    "$bin/bench_make_model" "$work/bench.mdb" "$n" "$shape"
    best=""
    bestraw=""
    for ((i = 0; i < ${BENCH_REPEAT:-3}; i++)); do
      rm -rf "$work/out" "$work/copy"
      sync
      # bench_run_measured prints after the child's own output (the
      # progress lines), so only its last line is kept.
      line=$("$bin/bench_run_measured" "$bin/javagen-cli" --db "$work/bench.mdb" generate Bench \
          --templates "$bin/template" --root "$work/out" 2>/dev/null | tail -1)
      sync
      rawline=$("$bin/bench_write_same" "$work/out" "$work/copy")
      if [ -z "$best" ] || awk -v a="${line%% *}" -v b="${best%% *}" 'BEGIN { exit !(a < b) }'; then best="$line"; fi
      if [ -z "$bestraw" ] || awk -v a="${rawline%% *}" -v b="${bestraw%% *}" 'BEGIN { exit !(a < b) }'; then bestraw="$rawline"; fi
    done
    read -r seconds user sys peak <<< "$best"
    read -r raw files <<< "$bestraw"
    per=$(awk -v s="$seconds" -v n="$n" 'BEGIN { printf "%.3f", s * 1000 / n }')
    ratio=$(awk -v s="$seconds" -v r="$raw" 'BEGIN { printf "%.2f", s / r }')
    printf '%-6s %-8s %-7s %-11s %-7s %-7s %-13s %-8s %-11s %-8s\n' \
      "$shape" "$n" "$files" "$seconds" "$user" "$sys" "$raw" "$ratio" "$per" "$peak"
    rm -rf "$work/out" "$work/copy"
  done
done
