#!/usr/bin/env bash
# SQL statements, rows read and median time per list, add and modify view of
# a generated application on a private MariaDB with 20,000 courses, 5,000
# teachers and 5,000 departments (each course with a teacher and two
# assistants, a many-to-many member): "before" reads every choice of a
# reference as the pages once did, "after" lets the pages count them first.
#   bench/views.sh [JAVAGEN_CLI] [legacy|current]
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$(cd "$(dirname "${1:-build/bin/javagen-cli}")" && pwd)/$(basename "${1:-build/bin/javagen-cli}")"
target="${2:-legacy}"
templates="$PWD/template"
java_dir="$PWD/tests/java"
here="$PWD/bench/views"
work="$(mktemp -d "${TMPDIR:-/tmp}/javagen-views-XXXXXX")"
script_pid=$$
step() { echo "views: $*" >&2; }
# shellcheck source=../tests/acceptance/mariadb_server.sh
source "$PWD/tests/acceptance/mariadb_server.sh"
cd "$work"
"$cli" project add 教务 > /dev/null
"$cli" class add 教务 Department 部门 > /dev/null
"$cli" class add 教务 Teacher 教师 > /dev/null
"$cli" class add 教务 Course 课程 > /dev/null
"$cli" member add 教务 Department deptId int --primary --required > /dev/null
"$cli" member add 教务 Department deptName string --display --query > /dev/null
"$cli" member add 教务 Teacher teacherId int --primary --required > /dev/null
"$cli" member add 教务 Teacher teacherName string --display --query > /dev/null
"$cli" member add 教务 Teacher department Department --required --query > /dev/null
"$cli" member add 教务 Course courseId int --primary --required > /dev/null
"$cli" member add 教务 Course title string --display --query > /dev/null
"$cli" member add 教务 Course teacher Teacher --required --query > /dev/null
"$cli" member add 教务 Course assistants Teacher --link-table t_course_assistant --link-column courseId \
  --column teacherId > /dev/null
"$cli" generate 教务 --webapp --package bench --target "$target" --templates "$templates" --root . > /dev/null
export JAVAGEN_TARGET="$target"
bash "$java_dir/compile_tree.sh" projects/教务/src classes > /dev/null
(cd projects/教务/src && find . -name '*.xml' -exec cp --parents {} "$work/classes" \;)
# Struts 7's ActionContext needs the JSP API, which the web class path has.
cp_run="$(bash "$java_dir/classpath.sh" "$([ "$target" = current ] && echo --web || echo --run)")"
javac -encoding UTF-8 -nowarn -proc:none -cp "classes:$cp_run" -d classes "$here/ViewStatements.java"
start_mariadb
mariadb --no-defaults --socket="$sock" -uroot --default-character-set=utf8mb4 < projects/教务/sql/create_database.sql
mariadb --no-defaults --socket="$sock" -uroot -e "create user bench@'%' identified by 'bench'; grant all on *.* to bench@'%'"
url="jdbc:mariadb://127.0.0.1:$port/javaweb"
# The legacy target's interceptor is named in src/hibernate.properties, which is not copied here.
interceptor=()
[ "$target" = legacy ] && interceptor=(-Dhibernate.session_factory.interceptor=com.bench.utils.AppInterceptor)
dialect=org.hibernate.dialect.MySQL5InnoDBDialect
[ "$target" = current ] && dialect=org.hibernate.dialect.MariaDBDialect
for mode in before after; do
  mariadb --no-defaults --socket="$sock" -uroot -e 'drop database javaweb; create database javaweb character set utf8mb4'
  echo "== $target, $mode"
  java -Dfile.encoding=UTF-8 -Dhibernate.connection.driver_class=org.mariadb.jdbc.Driver \
    -Dhibernate.connection.url="$url" -Dhibernate.connection.username=bench -Dhibernate.connection.password=bench \
    -Dhibernate.dialect="$dialect" -Dhibernate.hbm2ddl.auto=create -Dhibernate.show_sql=false \
    "${interceptor[@]}" -cp "classes:$cp_run" javagen.bench.ViewStatements "$url" bench bench "${BENCH_REPEAT:-7}" "$target" "$mode" 2>&1 |
    grep -E 'statements|Exception|Error' || true
done
