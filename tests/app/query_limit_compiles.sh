#!/usr/bin/env bash
# A class at the query-member limit, built with javagen-cli: 253 query
# members are taken, a 254th is refused (added with --query or turned on by
# an update), and the class generates into a tree that compiles: its DAO's
# paged query takes 253 parameters and the page number.
#   query_limit_compiles.sh JAVAGEN_CLI TEMPLATE_DIR
set -euo pipefail
cli="$1"
templates="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

j() { "$cli" "$@" > /dev/null; }
refused() {
  local status=0
  "$cli" "$@" > out.txt 2> err.txt || status=$?
  if [ "$status" -ne 1 ] || ! grep -q '^该类已有 253 个参与查询的成员' err.txt; then
    echo "not refused for the limit (status $status): $*"; cat out.txt err.txt; exit 1
  fi
}

j project add 宽表
j class add 宽表 Wide 宽
j member add 宽表 Wide code string --primary --display --comment 编号
for ((i = 0; i < 253; i++)); do
  j member add 宽表 Wide "f$i" string --query --length 10
done
refused member add 宽表 Wide extra string --query
refused member add 宽表 Wide published date --query --required
j member add 宽表 Wide note string --comment 不参与查询
refused member update 宽表 Wide note --query
# a query member of a full class can still be changed
j member update 宽表 Wide f0 --comment 第一个
queries=$("$cli" member list 宽表 Wide | awk -F'\t' '$7 == 1' | wc -l)
[ "$queries" -eq 253 ] || { echo "expected 253 query members, got $queries"; exit 1; }

status=0
"$cli" generate 宽表 --package org.wide --templates "$templates" --root "$work/out" > progress.txt 2> messages.txt || status=$?
if [ "$status" -ne 0 ]; then
  echo "generate failed with status $status"; cat messages.txt; exit 1
fi
bash "$here/../java/compile_tree.sh" "$work/out/projects/宽表/src" "$work/classes"
echo "a class with 253 query members generates and compiles"
