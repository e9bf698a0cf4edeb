#!/usr/bin/env bash
# End to end: builds a model with javagen-cli in a fresh directory, generates
# it, checks the progress output and compiles the generated tree with javac.
#   generate_and_compile.sh JAVAGEN_CLI TEMPLATE_DIR
set -euo pipefail
cli="$1"
templates="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

j() { "$cli" "$@" > /dev/null; }
j project add 图书馆
j class add 图书馆 BookType 图书类型
j class add 图书馆 Book 图书
j class add 图书馆 Reader 读者
j class add 图书馆 Loan 借阅
j member add 图书馆 BookType bookTypeId int --primary --required --comment 类型编号
j member add 图书馆 BookType typeName string --display --length 30 --comment 类型名称
j member add 图书馆 Book isbn string --primary --length 13 --comment "书号 \"ISBN\""
j member add 图书馆 Book title string --query --display --length 80 --comment 书名
j member add 图书馆 Book bookType BookType --query --required --comment 类型
j member add 图书馆 Book price float --required --comment 价格
j member add 图书馆 Book pages int --required
j member add 图书馆 Book published date --query --required --comment "出版 */ 日期"
j member add 图书馆 Reader readerNo string --primary --query --display --comment 读者证号
j member add 图书馆 Reader readerName string --required --comment 姓名
j member add 图书馆 Reader favouriteType BookType --required --comment "喜欢的类型 -- 非查询"
j member add 图书馆 Loan loanId int --primary --required
j member add 图书馆 Loan book Book --query --required --comment 图书
j member add 图书馆 Loan reader Reader --required --display --comment 读者
j member add 图书馆 Loan backupBook Book --required --comment 备用图书

status=0
"$cli" generate 图书馆 --package org.library --templates "$templates" --root "$work/out" > progress.txt 2> messages.txt || status=$?
if [ "$status" -ne 0 ]; then
  echo "generate failed with status $status"; cat messages.txt; exit 1
fi
grep -qx '所有代码生成完毕!' messages.txt || { echo "no completion message"; cat messages.txt; exit 1; }
lines=$(wc -l < progress.txt)
# struts, hibernate, 4 mappings, 11 support files, 3 x 4 classes
[ "$lines" -eq 29 ] || { echo "expected 29 progress lines, got $lines"; cat progress.txt; exit 1; }
head -1 progress.txt | grep -qx 'projects/图书馆/src/struts.xml生成完成!'
tail -1 progress.txt | grep -qx 'projects/图书馆/src/com/org/library/dao/LoanDAO.java生成完毕!'

bash "$here/../java/compile_tree.sh" "$work/out/projects/图书馆/src" "$work/classes"
echo "generated tree compiles"
