#!/usr/bin/env bash
# A merging generation of 500 classes killed (SIGKILL) at many moments: the
# next merge always gets the tree right, files and bases alike. And two
# merges into one tree at once: one waits for nothing, the other is refused
# naming the holder, and the tree is right.
#   merge_kill.sh JAVAGEN_CLI TEMPLATE_DIR
set -euo pipefail
cli="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
templates="$(cd "$2" && pwd)"
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then export LC_ALL=C.UTF-8; fi
# In memory where there is room: the tree is copied 20 times.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then tmp=/dev/shm; else tmp="${TMPDIR:-/tmp}"; fi
work="$(mktemp -d "$tmp/merge-kill.XXXXXX")"
trap 'rm -rf "$work"' EXIT
fail() { echo "merge-kill: FAILED: $*" >&2; exit 1; }
cd "$work"

# 500 classes, written as a model file and imported in one go.
{
  printf '{\n  "format": "javagen-model",\n  "version": 1,\n  "project": "Big",\n  "classes": [\n'
  for n in $(seq 1 500); do
    [ "$n" -gt 1 ] && printf ',\n'
    printf '    {"name": "Item%d", "friendName": "条目%d", "members": [\n' "$n" "$n"
    printf '      {"name":"itemId","type":"整型","length":0,"primary":true,"required":true,"query":false,"display":false,"queryDisplay":true,"comment":"编号"},\n'
    printf '      {"name":"title","type":"字符串","length":40,"primary":false,"required":true,"query":true,"display":true,"queryDisplay":true,"comment":"标题"}\n'
    printf '    ]}'
  done
  printf '\n  ]\n}\n'
} > big.json
"$cli" import big.json > /dev/null
gen() { "$cli" generate Big --merge --templates "$templates" --root "$1"; }
gen start > /dev/null 2>&1
# A hand edit in every domain class, a model change in every class.
for f in start/projects/Big/src/com/velmorantis/domain/Item*.java; do
  printf '    // hand edit\r\n' >> "$f"
done
for n in $(seq 1 500 | sed -n '1~5p'); do "$cli" member add Big "Item$n" note string --query > /dev/null; done
tree_of() { (cd "$1" && find . -type f ! -name lock ! -name '*.javagen-*.tmp' -print0 | sort -z | xargs -0 sha256sum); }
cp -a start reference
gen reference > /dev/null 2>&1 || fail "the reference merge"
want="$(tree_of reference)"

for i in $(seq 1 20); do
  rm -rf killed && cp -a start killed
  "$cli" generate Big --merge --templates "$templates" --root killed > /dev/null 2>&1 &
  pid=$!
  sleep "0.$(printf '%02d' $((RANDOM % 60 + 2)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  gen killed > /dev/null 2>&1 || fail "the merge after kill $i"
  [ "$(tree_of killed)" = "$want" ] || fail "the tree after kill $i differs: $(diff <(tree_of killed) <(echo "$want") | head -5)"
done
echo "merge-kill: 20 kills, every next merge right"

rm -rf twice && cp -a start twice
set +e
"$cli" generate Big --merge --templates "$templates" --root twice > a.out 2> a.err &
a=$!
"$cli" generate Big --merge --templates "$templates" --root twice > b.out 2> b.err &
b=$!
wait "$a"; sa=$?
wait "$b"; sb=$?
set -e
if [ "$sa" -ne 0 ]; then loser=a.err; winner=$sb; else loser=b.err; winner=$sa; fi
[ "$winner" -eq 0 ] || fail "neither merge finished ($sa, $sb)"
if [ "$sa" -ne 0 ] || [ "$sb" -ne 0 ]; then
  [ "$((sa + sb))" -eq 3 ] && grep -q "正被另一个生成过程(进程 [0-9]*)使用" "$loser" || fail "the second merge: $sa $sb $(cat "$loser")"
fi
[ "$(tree_of twice)" = "$want" ] || fail "the tree after two merges at once"
echo "merge-kill: all checks passed"
