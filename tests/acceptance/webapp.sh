#!/usr/bin/env bash
# The generated web application, end to end: a library model generated with
# --webapp; its tree compiles; Jetty 9 (with its JSP engine and JSTL 1.2)
# serves every page, with PageServer standing in for Struts 2 and the DAO
# layer on an in-memory HSQLDB; headless Chromium (BrowserCheck, through
# ChromeDriver) signs in, adds, lists, pages, searches, modifies, deletes and
# sends bad requests; ant builds the war with stand-in jars for what Debian
# does not ship.
#   webapp.sh JAVAGEN_CLI TEMPLATE_DIR
set -euo pipefail
cli="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
templates="$(cd "$2" && pwd)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
java_dir="$here/../java"
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then export LC_ALL=C.UTF-8; fi
work="$(mktemp -d "${TMPDIR:-/tmp}/webapp.XXXXXX")"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
step() { echo "webapp: $*"; }
fail() { echo "webapp: FAILED: $*" >&2; exit 1; }

cd "$work"
step "a model, generated with --webapp"
"$cli" project add 图书馆 > /dev/null
"$cli" class add 图书馆 BookType 图书类型 > /dev/null
"$cli" class add 图书馆 Book 图书 > /dev/null
"$cli" member add 图书馆 BookType bookTypeId int --primary --required --comment 类型编号 > /dev/null
"$cli" member add 图书馆 BookType typeName string --display --query --comment 类型名称 > /dev/null
"$cli" member add 图书馆 Book isbn string --primary --length 13 --comment 书号 > /dev/null
"$cli" member add 图书馆 Book title string --display --query --required --comment 书名 > /dev/null
"$cli" member add 图书馆 Book bookType BookType --required --query --comment 类型 > /dev/null
"$cli" member add 图书馆 Book price float --required --comment 价格 > /dev/null
"$cli" member add 图书馆 Book published date --required --comment 出版日期 > /dev/null
"$cli" generate 图书馆 --webapp --templates "$templates" --root . > gen.out 2> gen.err || fail "generate: $(cat gen.err)"
root="$work/projects/图书馆"
for page in login main message error changePassword BookType_add BookType_query_result BookType_modify \
    Book_add Book_query_result Book_modify; do
  [ -f "$root/WebRoot/$page.jsp" ] || fail "no $page.jsp"
done
[ -f "$root/WebRoot/WEB-INF/web.xml" ] && [ -f "$root/build.xml" ] || fail "no web.xml or build.xml"
grep -q "org.apache.struts2.dispatcher.ng.filter.StrutsPrepareAndExecuteFilter" "$root/WebRoot/WEB-INF/web.xml" \
  || fail "web.xml has no Struts filter"

step "compile"
bash "$java_dir/compile_tree.sh" "$root/src" classes > /dev/null
rm -rf classes/com/opensymphony classes/com/mysql
mkdir -p server resources
javac -encoding UTF-8 --release 8 -nowarn -d server $(find "$here/webapp/xwork" -name '*.java') \
  "$java_dir"/standins/com/opensymphony/xwork2/validator/*.java \
  "$java_dir"/standins/com/opensymphony/xwork2/validator/validators/*.java "$java_dir"/standins/com/mysql/jdbc/*.java
cp -R "$root/src/." resources
find resources -name '*.java' -delete
web_cp="$(bash "$java_dir/classpath.sh" --web)"
cp_all="server:classes:resources:$web_cp"
javac -encoding UTF-8 --release 11 -nowarn -proc:none -cp "$cp_all" -d server \
  "$here/webapp/PageServer.java" "$here/webapp/BrowserCheck.java"

step "serve the pages on Jetty"
java -XX:+UseSerialGC -Dhibernate.connection.driver_class=org.hsqldb.jdbcDriver \
  -Dhibernate.connection.url=jdbc:hsqldb:mem:web -Dhibernate.connection.username=sa \
  -Dhibernate.connection.password= -Dhibernate.dialect=org.hibernate.dialect.HSQLDialect \
  -Dhibernate.hbm2ddl.auto=create -Dhibernate.show_sql=false \
  -cp "$cp_all" javagen.acceptance.PageServer "$root/WebRoot" velmorantis "$work/port" > server.log 2>&1 &
pids+=($!)
for _ in $(seq 1 300); do [ -f "$work/port.ready" ] && break; sleep 0.1; done
[ -f "$work/port.ready" ] || { cat server.log; fail "the server did not start"; }
app="http://127.0.0.1:$(cat "$work/port")/app"
# Every page compiles and renders, without the Action's values too.
for page in login main message error changePassword BookType_add BookType_query_result BookType_modify \
    Book_add Book_query_result Book_modify; do
  status="$(curl -s -o page.html -w '%{http_code}' "$app/$page.jsp")"
  [ "$status" = 200 ] || [ "$status" = 302 ] || { cat page.html; fail "$page.jsp: HTTP $status"; }
done

step "use them in headless Chromium"
driver_port=$((20000 + RANDOM % 40000))
chromedriver --port="$driver_port" > chromedriver.log 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do curl -s "http://127.0.0.1:$driver_port/status" | grep -q '"ready": *true' && break; sleep 0.1; done
java -cp server javagen.acceptance.BrowserCheck "$app" "http://127.0.0.1:$driver_port" > browser.out 2>&1 \
  || { cat browser.out; tail -30 server.log; fail "browser checks"; }
tail -1 browser.out

step "ant builds the war"
lib="$root/WebRoot/WEB-INF/lib"
IFS=: read -r -a jars <<< "$(bash "$java_dir/classpath.sh")"
for jar in "${jars[@]}"; do case "$jar" in *servlet-api*) ;; *) ln -s "$jar" "$lib/";; esac; done
mkdir -p standins
javac -encoding UTF-8 --release 8 -nowarn -d standins $(find "$java_dir/standins" -name '*.java')
jar cf "$lib/struts-and-connector-standins.jar" -C standins .
(cd "$root" && ant -q -Dcontainer.lib=/usr/share/java > "$work/ant.out" 2>&1) || { cat ant.out; fail "ant"; }
war="$root/dist/图书馆.war"
[ -f "$war" ] || fail "no war"
jar tf "$war" > war.txt
for entry in WEB-INF/web.xml login.jsp Book_add.jsp WEB-INF/classes/struts.xml WEB-INF/classes/hibernate.cfg.xml \
    WEB-INF/classes/com/velmorantis/action/BookAction.class WEB-INF/classes/com/velmorantis/domain/Book.hbm.xml \
    WEB-INF/classes/com/velmorantis/action/BookAction-Book_AddBook-validation.xml WEB-INF/classes/validators.xml; do
  grep -qxF "$entry" war.txt || fail "the war lacks $entry"
done
step "all checks passed"
