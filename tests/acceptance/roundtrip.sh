#!/usr/bin/env bash
# Round trip of a generated application: builds a library model with
# javagen-cli in a fresh temporary directory, generates its source tree,
# compiles it together with RoundTrip.java (beside this script) and runs
# RoundTrip against a real database through the generated mapping files,
# HibernateUtil and DAO classes.
#
#   roundtrip.sh JAVAGEN_CLI TEMPLATE_DIR [mariadb|hsqldb|both|postgresql] [legacy|current]
#   (default both, legacy: Struts 2.3 / Hibernate 3.6; current: Struts 7 /
#   Hibernate 7, compiled and run on their own jars)
#
# mariadb: initialises a private data directory (in /dev/shm when there is
#          one), starts mariadbd on 127.0.0.1 (a free port) with its socket in
#          that directory, and stops it by its PID on exit, whatever the
#          outcome; a watchdog stops it if this script is killed outright.
# hsqldb:  an in-memory HSQLDB database inside the test JVM.
# postgresql: the project's database kind is PostgreSQL (its generated
#          configuration is checked), and a private PostgreSQL cluster is
#          started as the MariaDB server is (postgresql_server.sh).
#
# The generated hibernate.cfg.xml keeps its MySQL settings; the connection is
# chosen with -Dhibernate.* system properties, which the generated
# HibernateUtil applies over the configuration file.
#
# Exit status: 0 all checks passed; 1 a check failed or a step broke;
# 2 usage error.
set -euo pipefail

if [ "$#" -lt 2 ] || [ "$#" -gt 4 ]; then
    echo "usage: $0 JAVAGEN_CLI TEMPLATE_DIR [mariadb|hsqldb|both|postgresql] [legacy|current]" >&2
    exit 2
fi
cli="$1"
templates="$2"
which_db="${3:-both}"
export JAVAGEN_TARGET="${4:-legacy}"
release=8
[ "$JAVAGEN_TARGET" = current ] && release=17
case "$which_db" in
    mariadb|hsqldb|both|postgresql) ;;
    *) echo "roundtrip.sh: unknown database '$which_db' (mariadb, hsqldb, both or postgresql)" >&2; exit 2 ;;
esac
[ -x "$cli" ] || { echo "roundtrip.sh: not executable: $cli" >&2; exit 2; }
[ -d "$templates" ] || { echo "roundtrip.sh: no template directory: $templates" >&2; exit 2; }
cli="$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli")"
templates="$(cd "$templates" && pwd)"

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
script_pid=$$
java_dir="$here/../java"

# mariadbd lives in /usr/sbin, which is not on every user's PATH.
PATH="$PATH:/usr/sbin:/sbin"
need=(java javac)
case "$which_db" in mariadb|both) need+=(mariadbd mariadb-install-db mariadb) ;; esac
for tool in "${need[@]}"; do
    if ! command -v "$tool" > /dev/null 2>&1; then
        echo "roundtrip.sh: $tool not found (install default-jdk-headless, mariadb-server-core, mariadb-client-core)" >&2
        exit 1
    fi
done

# The JVM opens files whose names may hold non-ASCII text.
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then
    export LC_ALL=C.UTF-8
fi

work="$(mktemp -d "${TMPDIR:-/tmp}/roundtrip.XXXXXX")"
db_dir=""
# shellcheck source=mariadb_server.sh
source "$here/mariadb_server.sh"
pg_dir=""
# shellcheck source=postgresql_server.sh
source "$here/postgresql_server.sh"


step() { echo "roundtrip: $*"; }

# ---------------------------------------------------------------- model
step "building the model in $work"
cd "$work"
model() {
    if ! "$cli" --db "$work/projects.mdb" "$@" > "$work/cli.out" 2>&1; then
        echo "roundtrip.sh: javagen-cli refused: $*" >&2
        cat "$work/cli.out" >&2
        exit 1
    fi
}
project=Library
model project add "$project"
model class add "$project" BookType 图书类型
model member add "$project" BookType bookTypeId int --primary --required --comment 类型编号
model member add "$project" BookType typeName string --length 20 --required --display --comment 类型名称

model class add "$project" Book 图书
model member add "$project" Book isbn string --length 20 --primary --required --comment 书号
model member add "$project" Book title string --length 60 --required --query --display --comment "书名(可含 ' 和 %)"
model member add "$project" Book bookType BookType --required --query --comment 图书类型
model member add "$project" Book price float --required --comment 价格
model member add "$project" Book pages int --required --comment 页数
model member add "$project" Book published date --required --query --comment 出版日期
model member add "$project" Book intro string --length 200 --comment '内容简介: "引号" & <尖括号> */ 结束'

model class add "$project" Reader 读者
model member add "$project" Reader readerNo string --length 20 --primary --required --comment 读者证号
model member add "$project" Reader readerName string --length 20 --required --display --comment 姓名

model class add "$project" Loan 借阅
model member add "$project" Loan loanId int --primary --required --comment 借阅编号
model member add "$project" Loan book Book --required --query --comment 借阅的图书
model member add "$project" Loan reader Reader --required --comment "借书的读者(不参与查询)"
model member add "$project" Loan reservedBook Book --required --comment "预约的图书(第二个指向 Book 的关联, 不参与查询)"
model member add "$project" Loan loanDate date --required --query --display --comment 借阅日期

[ "$which_db" = postgresql ] && model project settings "$project" --database postgresql

# ---------------------------------------------------------------- generate
step "generating"
if ! "$cli" --db "$work/projects.mdb" generate "$project" --package roundtrip --target "$JAVAGEN_TARGET" \
        --templates "$templates" --root "$work/gen" > "$work/generate.out" 2>&1; then
    echo "roundtrip.sh: generation failed" >&2
    cat "$work/generate.out" >&2
    exit 1
fi
src="$work/gen/projects/$project/src"
[ -f "$src/hibernate.cfg.xml" ] || { echo "roundtrip.sh: no hibernate.cfg.xml in $src" >&2; exit 1; }
if [ "$which_db" = postgresql ] && ! grep -q '>org.postgresql.Driver<' "$src/hibernate.cfg.xml"; then
    echo "roundtrip.sh: the PostgreSQL project's hibernate.cfg.xml names another driver" >&2
    exit 1
fi

# ---------------------------------------------------------------- compile
# The generated tree (GBK sources) against the real framework jars, and then
# the test program (UTF-8) against it.
step "compiling"
classes="$work/classes"
bash "$java_dir/compile_tree.sh" "$src" "$classes"
compile_cp="$(bash "$java_dir/classpath.sh")"
run_cp="$(bash "$java_dir/classpath.sh" --run)"
javac -encoding UTF-8 --release "$release" -nowarn -Xlint:none -proc:none \
    -cp "$classes:$compile_cp" -d "$classes" "$here/RoundTrip.java"

# Mapping files and hibernate.cfg.xml are read from the class path as they
# were generated.
cp -R "$src/." "$work/resources"
find "$work/resources" -name '*.java' -delete

run_test() {
    local name="$1"; shift
    step "running against $name"
    local start=$SECONDS
    local status=0
    java -XX:+UseSerialGC -XX:TieredStopAtLevel=1 \
        -Dhibernate.hbm2ddl.auto=create \
        -Dhibernate.show_sql=false \
        "$@" \
        -cp "$classes:$work/resources:$run_cp" \
        javagen.acceptance.RoundTrip "$name" || status=$?
    step "$name finished in $((SECONDS - start)) s with status $status"
    return "$status"
}

# ---------------------------------------------------------------- hsqldb
run_hsqldb() {
    run_test hsqldb \
        -Dhibernate.connection.driver_class=org.hsqldb.jdbc.JDBCDriver \
        "-Dhibernate.connection.url=jdbc:hsqldb:mem:roundtrip$$;shutdown=true" \
        -Dhibernate.connection.username=SA \
        -Dhibernate.connection.password= \
        -Dhibernate.dialect=org.hibernate.dialect.HSQLDialect
}

# ---------------------------------------------------------------- mariadb
run_mariadb() {
    start_mariadb || return 1

    # The test connects over TCP as its own user, with a password.
    mariadb --no-defaults --socket="$sock" -uroot <<'SQL'
CREATE DATABASE roundtrip CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;
CREATE USER 'roundtrip'@'127.0.0.1' IDENTIFIED BY 'rt-Pass.1';
CREATE USER 'roundtrip'@'localhost' IDENTIFIED BY 'rt-Pass.1';
GRANT ALL ON roundtrip.* TO 'roundtrip'@'127.0.0.1';
GRANT ALL ON roundtrip.* TO 'roundtrip'@'localhost';
SQL

    # Hibernate 7 asks the named driver itself, which takes its own scheme.
    local scheme=mysql dialect=org.hibernate.dialect.MySQL5InnoDBDialect
    [ "$JAVAGEN_TARGET" = current ] && scheme=mariadb dialect=org.hibernate.dialect.MariaDBDialect
    local status=0
    run_test mariadb \
        -Dhibernate.connection.driver_class=org.mariadb.jdbc.Driver \
        "-Dhibernate.connection.url=jdbc:$scheme://127.0.0.1:$port/roundtrip?useUnicode=true&characterEncoding=UTF-8" \
        -Dhibernate.connection.username=roundtrip \
        -Dhibernate.connection.password=rt-Pass.1 \
        -Dhibernate.dialect=$dialect || status=$?

    # What the application wrote, seen by the server itself: the Chinese
    # title must be stored as text, not as mangled bytes.
    if [ "$status" -eq 0 ]; then
        local stored
        stored="$(mariadb --no-defaults --socket="$sock" -uroot -N -B --default-character-set=utf8mb4 \
            -e "select title from roundtrip.t_Book where isbn='978-7-0000-0021'")"
        if [ "$stored" != "O'Reilly 指南" ]; then
            printf "roundtrip.sh: server holds title '%s' for 978-7-0000-0021, expected \"O'Reilly 指南\"\n" "$stored" >&2
            status=1
        fi
    fi
    stop_server
    return "$status"
}

# ---------------------------------------------------------------- postgresql
run_postgresql() {
    start_postgresql || return 1
    pg_sql postgres <<'SQL'
CREATE USER roundtrip WITH PASSWORD 'rt-Pass.1';
CREATE DATABASE roundtrip OWNER roundtrip ENCODING 'UTF8' TEMPLATE template0;
SQL
    # The configuration generated for PostgreSQL, with this server's address.
    local dialect=org.hibernate.dialect.PostgreSQLDialect
    [ "$JAVAGEN_TARGET" = current ] && dialect=org.hibernate.dialect.PostgreSQLDialect
    local status=0
    run_test postgresql \
        -Dhibernate.connection.driver_class=org.postgresql.Driver \
        "-Dhibernate.connection.url=jdbc:postgresql://127.0.0.1:$pg_port/roundtrip" \
        -Dhibernate.connection.username=roundtrip \
        -Dhibernate.connection.password=rt-Pass.1 \
        -Dhibernate.dialect=$dialect || status=$?
    if [ "$status" -eq 0 ]; then
        local stored
        stored="$(pg_sql roundtrip -A -t -c "select title from t_book where isbn='978-7-0000-0021'")"
        if [ "$stored" != "O'Reilly 指南" ]; then
            printf "roundtrip.sh: server holds title '%s' for 978-7-0000-0021, expected \"O'Reilly 指南\"\n" "$stored" >&2
            status=1
        fi
    fi
    stop_postgresql
    return "$status"
}

overall=0
if [ "$which_db" = postgresql ]; then
    run_postgresql || overall=1
fi
if [ "$which_db" = hsqldb ] || [ "$which_db" = both ]; then
    run_hsqldb || overall=1
fi
if [ "$which_db" = mariadb ] || [ "$which_db" = both ]; then
    run_mariadb || overall=1
fi
if [ "$overall" -eq 0 ]; then step "all runs passed"; else step "FAILED"; fi
exit "$overall"
