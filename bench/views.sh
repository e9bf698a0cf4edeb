#!/usr/bin/env bash
# SQL statements and median time per list and add view of a generated
# application on 20,000 courses, 5,000 teachers and 5,000 departments
# (HSQLDB in memory), with the template's batch fetching and, for the
# comparison, without it (BENCH_BATCH=1 reads referenced rows one by one).
#   bench/views.sh [JAVAGEN_CLI]
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$(cd "$(dirname "${1:-build/bin/javagen-cli}")" && pwd)/$(basename "${1:-build/bin/javagen-cli}")"
templates="$PWD/template"
java_dir="$PWD/tests/java"
here="$PWD/bench/views"
work="$(mktemp -d "${TMPDIR:-/tmp}/javagen-views-XXXXXX")"
trap 'rm -rf "$work"' EXIT
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
"$cli" generate 教务 --webapp --package bench --templates "$templates" --root . > /dev/null
bash "$java_dir/compile_tree.sh" projects/教务/src classes > /dev/null
(cd projects/教务/src && find . -name '*.xml' -exec cp --parents {} "$work/classes" \;)
cp_run="$(bash "$java_dir/classpath.sh" --run)"
javac -encoding UTF-8 -nowarn -proc:none -cp "classes:$cp_run" -d classes "$here/ViewStatements.java"
for batch in "${BENCH_BATCH:-1000}" 1; do
  echo "== hibernate.default_batch_fetch_size=$batch"
  java -Dfile.encoding=UTF-8 -Dhibernate.connection.driver_class=org.hsqldb.jdbc.JDBCDriver \
    -Dhibernate.connection.url=jdbc:hsqldb:mem:views -Dhibernate.connection.username=SA \
    -Dhibernate.connection.password= -Dhibernate.dialect=org.hibernate.dialect.HSQLDialect \
    -Dhibernate.hbm2ddl.auto=create -Dhibernate.show_sql=false -Dhibernate.default_batch_fetch_size="$batch" \
    -cp "classes:$cp_run" javagen.bench.ViewStatements jdbc:hsqldb:mem:views "${BENCH_REPEAT:-5}"
done
