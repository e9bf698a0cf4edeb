#!/usr/bin/env bash
# The generated web application, end to end on the real frameworks: a
# library model generated with --webapp is built the way its README says
# (mvn package), its war is deployed on an embedded Tomcat 9 (WarServer, with
# the application on an in-memory HSQLDB that an HSQLDB server publishes for
# the checks), and headless Chromium, driven by Selenium (BrowserSuite),
# signs in, changes the first password, adds, lists, pages, searches,
# modifies and deletes, and sends bad requests, checking the pages and the
# database after each case. The database is a private MariaDB server,
# created the way the generated README tells a user (sql/create_database.sql);
# a second browser and a SQL client write between the first one's requests.
# Then the offline route: ant builds the war from jars put where
# WEB-INF/lib/README.txt says.
#   webapp.sh JAVAGEN_CLI TEMPLATE_DIR [legacy|current]
# current: the same application on the current target (Struts 7, Hibernate
# 7, Jakarta EE 10), deployed on an embedded Tomcat 11; it has no ant route.
# Needs default-jdk-headless, maven, ant, chromium, chromium-driver,
# mariadb-server-core, mariadb-client-core.
set -euo pipefail
cli="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
templates="$(cd "$2" && pwd)"
export JAVAGEN_TARGET="${3:-legacy}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
java_dir="$here/../java"
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then export LC_ALL=C.UTF-8; fi
work="$(mktemp -d "${TMPDIR:-/tmp}/webapp.XXXXXX")"
script_pid=$$
step() { echo "webapp: $*"; }
# shellcheck source=mariadb_server.sh
source "$here/mariadb_server.sh"
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  stop_server
  rm -rf "$work"
  if [ -n "$db_dir" ]; then rm -rf "$db_dir"; fi
}
trap cleanup EXIT
step() { echo "webapp: $*"; }
fail() { echo "webapp: FAILED: $*" >&2; exit 1; }

cd "$work"
step "a model, generated with --webapp"
"$cli" project add 图书馆 > /dev/null
# A class whose name has an underscore: its actions are Shelf_Mark_AddShelf_Mark and so on.
"$cli" class add 图书馆 Shelf_Mark 书架标记 > /dev/null
"$cli" member add 图书馆 Shelf_Mark markId int --primary --required --comment 标记编号 > /dev/null
"$cli" member add 图书馆 Shelf_Mark label string --length 20 --display --query --comment 标记 > /dev/null
"$cli" class add 图书馆 BookType 图书类型 > /dev/null
"$cli" class add 图书馆 Book 图书 > /dev/null
"$cli" member add 图书馆 BookType bookTypeId int --primary --required --comment 类型编号 > /dev/null
"$cli" member add 图书馆 BookType typeName string --display --query --comment 类型名称 > /dev/null
"$cli" member add 图书馆 BookType parent BookType --nullable --query --comment 上级类型 > /dev/null
"$cli" member add 图书馆 Book isbn string --primary --length 13 --comment 书号 > /dev/null
"$cli" member add 图书馆 Book title string --display --query --required --comment 书名 > /dev/null
"$cli" member add 图书馆 Book bookType BookType --required --query --comment 类型 > /dev/null
"$cli" member add 图书馆 Book price float --required --comment 价格 > /dev/null
"$cli" member add 图书馆 Book published date --required --comment 出版日期 > /dev/null
"$cli" member add 图书馆 Book discount decimal --precision 5 --scale 2 --nullable --comment 折扣 > /dev/null
"$cli" member add 图书馆 Book typeSet BookType --link-table t_book_type_set --link-column isbn --column bookTypeId \
  --comment 其他类型 > /dev/null
"$cli" member add 图书馆 Book tags string --length 20 --choices '新书|推荐|特价' --choice-mode several \
  --comment 标签 > /dev/null
# A table of the user's whose key is two columns.
"$cli" class add 图书馆 Copy 图书副本 --table t_copy > /dev/null
"$cli" member add 图书馆 Copy isbn string --primary --required --length 13 --column isbn --comment 书号 > /dev/null
"$cli" member add 图书馆 Copy copyNo int --primary --required --column copy_no --comment 副本号 > /dev/null
"$cli" member add 图书馆 Copy shelf string --length 20 --display --query --column shelf --comment 书架 > /dev/null
# Bytes: a file uploaded and downloaded, on the current target only.
if [ "$JAVAGEN_TARGET" = current ]; then
  "$cli" project settings 图书馆 --target current > /dev/null
  "$cli" class add 图书馆 Photo 图片 > /dev/null
  "$cli" member add 图书馆 Photo photoId int --primary --required --comment 图片编号 > /dev/null
  "$cli" member add 图书馆 Photo title string --length 40 --display --query --required --comment 标题 > /dev/null
  "$cli" member add 图书馆 Photo image binary --nullable --column image --length 100000 --comment 图像 > /dev/null
fi
"$cli" generate 图书馆 --webapp --target "$JAVAGEN_TARGET" --templates "$templates" --root . > gen.out 2> gen.err || fail "generate: $(cat gen.err)"
root="$work/projects/图书馆"
files=(pom.xml WebRoot/WEB-INF/web.xml src/struts.xml src/hibernate.cfg.xml)
[ "$JAVAGEN_TARGET" = legacy ] && files+=(build.xml)
for file in "${files[@]}"; do
  [ -f "$root/$file" ] || fail "no $file"
done

step "mvn package"
(cd "$root" && mvn -q -B package > "$work/mvn.out" 2>&1) || { cat mvn.out; fail "mvn package"; }
war="$(ls "$root"/target/*.war)"
jar tf "$war" > war.txt
entries=(WEB-INF/web.xml login.jsp Book_add.jsp static/app.css WEB-INF/classes/struts.xml
    WEB-INF/classes/hibernate.cfg.xml WEB-INF/classes/com/velmorantis/action/BookAction.class)
if [ "$JAVAGEN_TARGET" = current ]; then
  entries+=(WEB-INF/lib/struts2-core-7.1.1.jar WEB-INF/lib/hibernate-core-7.4.16.Final.jar
    WEB-INF/lib/jakarta.servlet.jsp.jstl-3.0.1.jar)
  ! grep -q '\.hbm\.xml$' war.txt || fail "the war of the current target carries mapping files"
else
  entries+=(WEB-INF/classes/com/velmorantis/domain/Book.hbm.xml WEB-INF/lib/struts2-core-2.3.37.jar
    WEB-INF/lib/hibernate-core-3.6.10.Final.jar WEB-INF/lib/jstl-1.2.jar)
fi
for entry in "${entries[@]}"; do
  grep -qxF "$entry" war.txt || fail "the war lacks $entry"
done
! grep -q 'servlet-api' war.txt || fail "the war carries the servlet API"

step "deploy the war on Tomcat ($JAVAGEN_TARGET target)"
web_cp="$(bash "$java_dir/classpath.sh" --web)"
# The container: Tomcat with its JSP engine, and the HSQLDB driver the
# application finds through its parent class loader. Nothing of the
# application's own frameworks: those come from the war.
launch_cp="$(tr ':' '\n' <<< "$web_cp" | grep -E '/(tomcat-embed-[a-z]+|tomcat-annotations-api|ecj|hsqldb)-[0-9][^/]*\.jar$' | paste -sd:)"
mkdir -p launcher suite
javac -encoding UTF-8 -nowarn -d launcher -cp "$launch_cp" "$here/webapp/WarServer.java"
javac -encoding UTF-8 -nowarn -d suite -cp "$web_cp" "$here/webapp/BrowserSuite.java"
step "create the database as the README says (sql/create_database.sql, utf8mb4)"
start_mariadb || fail "MariaDB did not start"
grep -q 'sql/create_database.sql' "$root/README.txt" || fail "the README does not say how to create the database"
mariadb --no-defaults --socket="$sock" -uroot --default-character-set=utf8mb4 < "$root/sql/create_database.sql" ||
  fail "sql/create_database.sql"
# The account the script's comment suggests, with a password of our own.
mariadb --no-defaults --socket="$sock" -uroot <<'SQL' || fail "creating the application's account"
CREATE USER 'javaweb'@'127.0.0.1' IDENTIFIED BY 'Web-Pass.7';
GRANT SELECT, INSERT, UPDATE, DELETE, CREATE, ALTER, INDEX, REFERENCES ON javaweb.* TO 'javaweb'@'127.0.0.1';
-- The checks' own SQL client: it also reads the server's open transactions.
CREATE USER 'checker'@'127.0.0.1' IDENTIFIED BY 'Check-Pass.1';
GRANT ALL ON *.* TO 'checker'@'127.0.0.1';
SQL
[ "$(mariadb --no-defaults --socket="$sock" -uroot -N -B -e \
  "select default_character_set_name from information_schema.schemata where schema_name = 'javaweb'")" = utf8mb4 ] ||
  fail "the database is not utf8mb4"
db_url="jdbc:mysql://127.0.0.1:$port/javaweb?useUnicode=true&characterEncoding=UTF-8"
# --add-opens: what Tomcat's own catalina.sh passes on Java 9 and later.
java -XX:+UseSerialGC -Dfile.encoding=UTF-8 \
  --add-opens=java.base/java.lang=ALL-UNNAMED --add-opens=java.base/java.io=ALL-UNNAMED \
  --add-opens=java.base/java.util=ALL-UNNAMED --add-opens=java.base/java.util.concurrent=ALL-UNNAMED \
  "-Dhibernate.connection.url=$db_url" -Dhibernate.connection.username=javaweb \
  -Dhibernate.connection.password=Web-Pass.7 -Dhibernate.show_sql=false \
  -cp "launcher:$launch_cp" javagen.acceptance.WarServer "$war" "$work" "$work/ports" external > server.log 2>&1 &
server=$!
for _ in $(seq 1 600); do
  [ -f ports ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
[ -f ports ] || { tail -40 server.log; fail "Tomcat did not start"; }
read -r http_port db_port < ports
app="http://127.0.0.1:$http_port/app"
# Errors and traces only: an INFO line may name an exception it handled.
if grep -E 'SEVERE|ERROR|Exception' server.log | grep -vE '^[0-9]+ \[[^]]*\] INFO ' > startup-errors.txt; then
  head -20 startup-errors.txt
  fail "the application logged errors while starting"
fi

step "use it in headless Chromium"
export SE_OFFLINE=true  # Selenium Manager downloads nothing
status=0
java -Dfile.encoding=UTF-8 -Djavagen.target="$JAVAGEN_TARGET" -Djavagen.db.user=checker -Djavagen.db.password=Check-Pass.1 \
  -cp "suite:$web_cp" javagen.acceptance.BrowserSuite "$app" \
  "jdbc:mariadb://127.0.0.1:$port/javaweb" "$work/profile" > browser.out 2> browser.err || status=$?
cat browser.out
if [ "$status" != 0 ]; then
  grep -q ' passed, ' browser.out || tail -30 browser.err
  [ -n "${JAVAGEN_KEEP:-}" ] && cp server.log browser.err "$JAVAGEN_KEEP"/
  echo "--- server log: the errors ---"
  grep -E 'SEVERE|ERROR|Exception:' server.log | sed 's/^[0-9]* \[[^]]*\] //' | sort | uniq -c | sort -rn | head -15 || true
  fail "browser checks"
fi
kill "$server" 2>/dev/null || true
wait "$server" 2>/dev/null || true
server=""

if [ "$JAVAGEN_TARGET" = current ]; then step "all checks passed"; exit 0; fi
step "ant builds the war from jars put in WEB-INF/lib"
(cd "$root" && rm -rf target &&
  mvn -q -B dependency:copy-dependencies -DincludeScope=runtime -DoutputDirectory=WebRoot/WEB-INF/lib &&
  mvn -q -B dependency:copy -Dartifact=javax.servlet:javax.servlet-api:3.1.0 -DoutputDirectory=lib/provided) \
  > mvn-copy.out 2>&1 || { cat mvn-copy.out; fail "copying the jars"; }
(cd "$root" && ant -q > "$work/ant.out" 2>&1) || { cat ant.out; fail "ant"; }
ant_war="$root/dist/$(basename "$war")"
[ -f "$ant_war" ] || fail "ant wrote no $(basename "$war")"
jar tf "$ant_war" > ant-war.txt
for entry in WEB-INF/web.xml login.jsp Book_add.jsp WEB-INF/classes/struts.xml WEB-INF/classes/hibernate.cfg.xml \
    WEB-INF/classes/com/velmorantis/action/BookAction.class WEB-INF/classes/com/velmorantis/domain/Book.hbm.xml \
    WEB-INF/classes/com/velmorantis/action/BookAction-Book_AddBook-validation.xml WEB-INF/classes/validators.xml \
    WEB-INF/lib/struts2-core-2.3.37.jar WEB-INF/lib/jstl-1.2.jar; do
  grep -qxF "$entry" ant-war.txt || fail "the ant war lacks $entry"
done
! grep -q 'servlet-api' ant-war.txt || fail "the ant war carries the servlet API"
step "all checks passed"
