#!/usr/bin/env bash
# Times a merging generation in which every generated file has a hand edit
# and the model changed every class, next to a plain run of the same model:
# 1,000 classes x 20 members (web shape) by default. Needs sqlite3 and perl.
#   bench/merge.sh [CLASSES]      BENCH_DIR=/dev/shm for tmpfs
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-1000}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DJAVAGEN_GUI=OFF -DJAVAGEN_BENCH=ON > /dev/null
cmake --build build-bench -j"$(nproc)" --target javagen-cli bench_make_model bench_run_measured copy_templates > /dev/null
bin="$PWD/build-bench/bin"
work="$(mktemp -d "${BENCH_DIR:-/tmp}/javagen-merge-XXXXXX")"
trap 'rm -rf "$work"' EXIT
cli=("$bin/javagen-cli" --db "$work/bench.mdb")
"$bin/bench_make_model" "$work/bench.mdb" "$n" web
run() { "$bin/bench_run_measured" "${cli[@]}" generate Bench --templates "$bin/template" --root "$work/out" "$@" \
  2>/dev/null | tail -1; }
plain=$(run)
rm -rf "$work/out"
run --merge > /dev/null
# A hand edit in every file: a comment line before the last line of each
# Java class, an XML comment before the last line of each XML file.
find "$work/out" -path '*/.javagen' -prune -o -type f \( -name '*.java' -o -name '*.xml' \) -print0 |
  xargs -0 perl -0pi -e 's/\r\n(\}[^\r\n]*(?:\r\n)?)\z/\r\n    \/\/ hand edit\r\n$1/s; s/\r\n(<\/[a-z-]+>\r\n)\z/\r\n<!-- hand edit -->\r\n$1/s'
# First the model unchanged (every edit kept), then changed in every class
# (every domain class and mapping file merged, the lines colliding at the
# class's end, so each is merged by its structure).
cp -r "$work/out" "$work/edited"
kept=$(run --merge)
rm -rf "$work/out"
mv "$work/edited" "$work/out"
sqlite3 "$work/bench.mdb" "insert into t_member(projectId,classId,memberName,memberType,memberLength,memberComment)
  select projectId, classId, 'extraNote', '字符串', 40, '新增' from t_class"
merge=$(run --merge)
read -r ps _ <<< "$plain"
read -r ks _ <<< "$kept"
read -r ms _ <<< "$merge"
ratio() { awk -v a="$1" -v b="$ps" 'BEGIN { printf "%.2f", a / b }'; }
echo "classes $n: plain run ${ps} s"
echo "merging run, every file edited, model unchanged: ${ks} s, ratio $(ratio "$ks")"
echo "merging run, every file edited, every class changed: ${ms} s, ratio $(ratio "$ms")"
