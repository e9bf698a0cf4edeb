#!/usr/bin/env bash
# The merging generation end to end through javagen-cli: hand edits survive
# model changes, unedited files follow the model, conflicts are marked and
# reported, files without a base get NAME.new, obsolete files go only when
# unedited, a dry run writes nothing, and an interrupted merge leaves a state
# the next one gets right. The merged tree compiles.
#   merge_generation.sh JAVAGEN_CLI TEMPLATE_DIR
set -euo pipefail
cli="$1"
templates="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAILED: $*" >&2; exit 1; }
j() { "$cli" "$@" > /dev/null; }
gen() { "$cli" generate 图书馆 --templates "$templates" --root out "$@"; }
src=out/projects/图书馆/src
pkg=$src/com/velmorantis
tree_hash() { (cd "$1" && find . -type f ! -path './.javagen/*' -print0 | sort -z | xargs -0 sha256sum) | sha256sum; }

j project add 图书馆
j class add 图书馆 BookType 图书类型
j class add 图书馆 Book 图书
j class add 图书馆 Shelf 书架
j member add 图书馆 BookType bookTypeId int --primary --required
j member add 图书馆 BookType typeName string --display --length 30
j member add 图书馆 Book isbn string --primary --length 13 --comment 书号
j member add 图书馆 Book title string --query --display --length 80 --comment 书名
j member add 图书馆 Book bookType BookType --query --required
j member add 图书馆 Shelf shelfNo string --primary --display

# 1. A first merging generation writes what a plain run writes, plus bases.
gen --merge > merge1.txt 2> merge1.err || fail "first merge: $(cat merge1.err)"
[ -f out/projects/图书馆/.javagen/manifest.json ] || fail "no manifest"
"$cli" generate 图书馆 --templates "$templates" --root plain > /dev/null 2>&1
[ "$(tree_hash out/projects/图书馆)" = "$(tree_hash plain/projects/图书馆)" ] || fail "first merge differs from a plain run"
# Every run records its bases, the plain one too.
[ -f plain/projects/图书馆/.javagen/manifest.json ] || fail "a plain run recorded no bases"

# 2. A hand edit survives a model change, which arrives in the edited file too.
# A method added before the class's closing brace (a GBK comment "手工添加").
perl -0777 -pi -e 's/\}\r\n\z/    \/*\xca\xd6\xb9\xa4\xcc\xed\xbc\xd3*\/\r\n    public int CountAll() {\r\n        return QueryAllBookInfo().size();\r\n    }\r\n\r\n}\r\n/' "$pkg/dao/BookDAO.java"
j member add 图书馆 Book publisher string --query --length 40 --comment 出版社
gen --merge --dry-run > dry.txt 2>/dev/null
grep -qx "merge projects/图书馆/src/com/velmorantis/dao/BookDAO.java" dry.txt || fail "dry run: $(cat dry.txt)"
grep -qx "replace projects/图书馆/src/com/velmorantis/domain/Book.java" dry.txt || fail "dry run replace"
grep -qx "unchanged projects/图书馆/src/struts.xml" dry.txt || fail "dry run unchanged"
grep -q "publisher" "$pkg/domain/Book.java" && fail "dry run wrote a file"
gen --merge > merge2.txt 2> merge2.err || fail "second merge status $?: $(cat merge2.err)"
grep -qx "projects/图书馆/src/com/velmorantis/dao/BookDAO.java已合并!" merge2.txt || fail "no merge line: $(cat merge2.txt)"
grep -qx "projects/图书馆/src/com/velmorantis/domain/Book.java生成完毕!" merge2.txt || fail "no replace line"
grep -q "public int CountAll()" "$pkg/dao/BookDAO.java" || fail "hand edit lost"
grep -q "String publisher," "$pkg/dao/BookDAO.java" || fail "model change missing from the edited file"
# Every file the user did not touch equals a plain run's output.
rm -rf plain && "$cli" generate 图书馆 --templates "$templates" --root plain > /dev/null 2>&1
diff -r -q -x .javagen -x BookDAO.java out/projects/图书馆 plain/projects/图书馆 || fail "unedited files differ from a plain run"
bash "$here/../java/compile_tree.sh" "$src" "$work/classes" > /dev/null || fail "merged tree does not compile"

# 3. A conflicting edit: both the user and the model change the same line.
sed -i 's/    public ArrayList<Book> QueryBookInfo(String title,BookType bookType,String publisher,int currentPage) { /    public ArrayList<Book> QueryBookInfo(String title,BookType bookType,String publisher,int currentPage) { \/\/ mine/' "$pkg/dao/BookDAO.java"
grep -q "// mine" "$pkg/dao/BookDAO.java" || fail "test edit did not apply"
j member update 图书馆 Book publisher --no-query
status=0; gen --merge > merge3.txt 2> merge3.err || status=$?
[ "$status" -eq 4 ] || fail "conflict status $status"
grep -qx "projects/图书馆/src/com/velmorantis/dao/BookDAO.java有冲突，请手工解决!" merge3.txt || fail "no conflict line"
grep -q "有冲突: projects/图书馆/src/com/velmorantis/dao/BookDAO.java" merge3.err || fail "conflict not named: $(cat merge3.err)"
grep -q "^<<<<<<< " "$pkg/dao/BookDAO.java" && grep -q "^=======" "$pkg/dao/BookDAO.java" && grep -q "^>>>>>>> " "$pkg/dao/BookDAO.java" \
  || fail "no conflict markers"
# Unresolved, it is reported again.
status=0; gen --merge > /dev/null 2>&1 || status=$?
[ "$status" -eq 4 ] || fail "unresolved conflict not reported again ($status)"

# 4. Obsolete files: unedited ones go, edited ones stay.
echo "// kept" >> "$pkg/action/ShelfAction.java"
j class delete 图书馆 Shelf
gen --merge > merge4.txt 2>/dev/null || true
[ ! -e "$pkg/domain/Shelf.java" ] || fail "unedited obsolete file kept"
[ -e "$pkg/action/ShelfAction.java" ] || fail "edited obsolete file deleted"
grep -qx "projects/图书馆/src/com/velmorantis/action/ShelfAction.java已过时，有手工修改，已保留!" merge4.txt || fail "obsolete line"
grep -qx "projects/图书馆/src/com/velmorantis/domain/Shelf.java已过时，已删除!" merge4.txt || fail "obsolete deleted line"

# 5. A file without a base that differs (a tree an older program made,
#    without bases) gets NAME.new beside it.
rm -rf out2 && mkdir -p out2
"$cli" generate 图书馆 --templates "$templates" --root out2 > /dev/null 2>&1
rm -rf out2/projects/图书馆/.javagen
echo "// by hand" >> out2/projects/图书馆/src/com/velmorantis/domain/Book.java
"$cli" generate 图书馆 --merge --templates "$templates" --root out2 > merge5.txt 2> merge5.err
[ -e out2/projects/图书馆/src/com/velmorantis/domain/Book.java.new ] || fail "no NAME.new"
grep -q "请比较两者，把想要的内容留在原文件中，再删除 .new" merge5.err || fail "no hint how to finish with NAME.new"
grep -q "// by hand" out2/projects/图书馆/src/com/velmorantis/domain/Book.java || fail "file without a base replaced"
grep -q "domain/Book.java与生成的代码不同且没有基准" merge5.txt || fail "beside line"

# 6. A plain run in a merged tree refreshes the bases: unedited files stay
#    unedited for the next merge.
"$cli" generate 图书馆 --templates "$templates" --root out2 > /dev/null 2>&1
j member add 图书馆 Book pages int --required
"$cli" generate 图书馆 --merge --templates "$templates" --root out2 > merge6.txt 2>/dev/null
grep -qx "projects/图书馆/src/com/velmorantis/domain/Book.java生成完毕!" merge6.txt || fail "base not refreshed by the plain run"

# 7. An interrupted merge: a file that cannot be written stops it half-way;
#    once the obstacle is gone the next merge is right.
rm -rf out3 && "$cli" generate 图书馆 --merge --templates "$templates" --root out3 > /dev/null 2>&1
echo "// edit" >> out3/projects/图书馆/src/com/velmorantis/dao/BookDAO.java
j member add 图书馆 Book edition string --query
rm out3/projects/图书馆/src/com/velmorantis/action/BookAction.java
mkdir out3/projects/图书馆/src/com/velmorantis/action/BookAction.java
status=0; "$cli" generate 图书馆 --merge --templates "$templates" --root out3 > /dev/null 2>&1 || status=$?
[ "$status" -eq 3 ] || fail "blocked merge status $status"
# The dry run ends as the run would, and names the path and its fault.
status=0; "$cli" generate 图书馆 --merge --dry-run --templates "$templates" --root out3 > /dev/null 2> dry7.err || status=$?
[ "$status" -eq 3 ] || fail "blocked dry run status $status"
grep -q "^未处理: projects/图书馆/src/com/velmorantis/action/BookAction.java：.*不是普通文件" dry7.err ||
  fail "the dry run does not name the blocked path: $(cat dry7.err)"
rmdir out3/projects/图书馆/src/com/velmorantis/action/BookAction.java
"$cli" generate 图书馆 --merge --templates "$templates" --root out3 > merge7.txt 2>/dev/null || fail "merge after interruption"
grep -q "// edit" out3/projects/图书馆/src/com/velmorantis/dao/BookDAO.java || fail "edit lost after interruption"
# A base folder that is a file stops every base in it: said once.
rm -rf out5 && cp -a out3 out5 && rm -rf out5/projects/图书馆/.javagen/base && touch out5/projects/图书馆/.javagen/base
status=0; "$cli" generate 图书馆 --merge --dry-run --templates "$templates" --root out5 > /dev/null 2> dry7b.err || status=$?
[ "$status" -eq 3 ] || fail "dry run over a base folder that is a file: status $status"
[ "$(grep -c '^未处理' dry7b.err)" -eq 1 ] || fail "the base folder's fault is not said once: $(cat dry7b.err)"
grep -q '^未处理 [0-9]* 个文件(如 .*)：.*/.javagen/base 不是目录' dry7b.err || fail "the base folder is not named: $(cat dry7b.err)"
grep -q "String edition" out3/projects/图书馆/src/com/velmorantis/dao/BookDAO.java || fail "model change lost after interruption"
rm -rf plain && "$cli" generate 图书馆 --templates "$templates" --root plain > /dev/null 2>&1
diff -r -q -x .javagen -x BookDAO.java out3/projects/图书馆 plain/projects/图书馆 || fail "tree after interruption"
# 8. A merge killed at any moment leaves a state the next merge gets right.
for n in $(seq 1 60); do j class add 图书馆 "Extra$n" "附加$n"; done
for n in $(seq 1 60); do j member add 图书馆 "Extra$n" "extraId" int --primary --required --display; done
rm -rf out4 && "$cli" generate 图书馆 --merge --templates "$templates" --root out4 > /dev/null 2>&1 || true
j member add 图书馆 Extra30 note string --query
"$cli" generate 图书馆 --merge --templates "$templates" --root out4 > /dev/null 2>&1 &
sleep 0.15
kill -9 $! 2>/dev/null || true
wait || true
"$cli" generate 图书馆 --merge --templates "$templates" --root out4 > /dev/null 2>&1 || fail "merge after a kill"
rm -rf plain && "$cli" generate 图书馆 --templates "$templates" --root plain > /dev/null 2>&1
diff -r -q -x .javagen out4/projects/图书馆 plain/projects/图书馆 || fail "tree after a kill"
if find out4 -name '*.javagen-*.tmp' | grep -q .; then fail "temporary files left after the next merge"; fi
# 9. Under a file-size limit the run says so in Chinese, is not killed
#    half-way (SIGXFSZ) and leaves no partial file.
rm -rf out6 && "$cli" generate 图书馆 --merge --templates "$templates" --root out6 > /dev/null 2>&1
before="$(tree_hash out6/projects/图书馆)"
j member add 图书馆 Book subtitle string --query
status=0; (ulimit -f 8; "$cli" generate 图书馆 --merge --templates "$templates" --root out6 > /dev/null 2> limit.err) ||
  status=$?
[ "$status" -eq 3 ] || fail "a merge over the file-size limit: status $status $(cat limit.err)"
grep -q "文件超过了允许的大小" limit.err || fail "the file-size limit is not said: $(cat limit.err)"
if find out6 -name '*.javagen-*.tmp' | grep -q .; then fail "a partial file is left under the file-size limit"; fi
"$cli" generate 图书馆 --merge --templates "$templates" --root out6 > /dev/null 2>&1 || fail "merge after the limit"
[ "$(tree_hash out6/projects/图书馆)" != "$before" ] || fail "the merge after the limit did nothing"
echo "merging generation: all checks passed"
