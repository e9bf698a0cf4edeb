#!/usr/bin/env bash
# Times whole generation runs through javagen-cli for models of 100, 1,000
# and 5,000 classes with 20 members each, against the raw cost of writing
# the same bytes. Builds an optimised copy in build-bench/.
#   bench/run.sh [SIZES...]
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(100 1000 5000)
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DJAVAGEN_GUI=OFF -DJAVAGEN_BENCH=ON > /dev/null
cmake --build build-bench -j"$(nproc)" --target javagen-cli bench_make_model bench_run_measured bench_write_same copy_templates > /dev/null
bin="$PWD/build-bench/bin"
# BENCH_DIR picks the file system written to (e.g. /dev/shm to leave the disk out).
work="$(mktemp -d "${BENCH_DIR:-/tmp}/javagen-bench-XXXXXX")"
trap 'rm -rf "$work"' EXIT
echo "writing to $work"
printf '%-8s %-7s %-11s %-7s %-7s %-13s %-11s %-8s\n' classes files generate_s user_s sys_s write_same_s s_per_1000 peak_MiB
for n in "${sizes[@]}"; do
  "$bin/bench_make_model" "$work/bench.mdb" "$n"
  read -r seconds user sys peak < <("$bin/bench_run_measured" "$bin/javagen-cli" --db "$work/bench.mdb" generate Bench \
      --templates "$bin/template" --root "$work/out" 2>/dev/null | tail -1)
  # bench_run_measured prints after the child's own output; the CLI's
  # progress lines go to stdout too, so keep only the last line.
  read -r raw files < <("$bin/bench_write_same" "$work/out" "$work/copy")
  per=$(awk -v s="$seconds" -v n="$n" 'BEGIN { printf "%.3f", s * 1000 / n }')
  printf '%-8s %-7s %-11s %-7s %-7s %-13s %-11s %-8s\n' "$n" "$files" "$seconds" "$user" "$sys" "$raw" "$per" "$peak"
  rm -rf "$work/out" "$work/copy"
done
