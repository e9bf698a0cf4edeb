#!/usr/bin/env bash
# A table whose references reach many tables within two steps (a hub with 8
# references, each to a table with 8 references of its own: 73 tables), as
# sakila's payment does: reading it must not join more tables than the
# server allows in one statement (61 on MariaDB). Imported, generated,
# compiled, and a row read through the generated DAO with every table
# referenced on the way.
#   wide_joins.sh JAVAGEN_CLI TEMPLATE_DIR [legacy|current]
# shellcheck source=mariadb_script.sh
source "$(dirname "${BASH_SOURCE[0]}")/mariadb_script.sh" wide-joins "$@"

start_mariadb || fail "the server did not start"
sql() { mariadb --no-defaults --socket="$sock" -uroot --default-character-set=utf8mb4 "$@"; }
{
  echo "CREATE DATABASE wide; USE wide;"
  echo "CREATE USER 'w'@'127.0.0.1' IDENTIFIED BY 'W-Pass.7'; GRANT ALL ON wide.* TO 'w'@'127.0.0.1';"
  hub="id INT NOT NULL PRIMARY KEY, name VARCHAR(20) NOT NULL"
  for m in 1 2 3 4 5 6 7 8; do
    mid="id INT NOT NULL PRIMARY KEY, name VARCHAR(20) NOT NULL"
    for l in 1 2 3 4 5 6 7 8; do
      echo "CREATE TABLE leaf_${m}_$l (id INT NOT NULL PRIMARY KEY, name VARCHAR(20) NOT NULL);"
      echo "INSERT INTO leaf_${m}_$l VALUES (1, 'leaf $m.$l');"
      mid="$mid, leaf_$l INT NOT NULL, FOREIGN KEY (leaf_$l) REFERENCES leaf_${m}_$l (id)"
    done
    echo "CREATE TABLE mid_$m ($mid);"
    echo "INSERT INTO mid_$m VALUES (1, 'mid $m', 1, 1, 1, 1, 1, 1, 1, 1);"
    hub="$hub, mid_$m INT NOT NULL, FOREIGN KEY (mid_$m) REFERENCES mid_$m (id)"
  done
  echo "CREATE TABLE hub ($hub);"
  echo "INSERT INTO hub VALUES (1, 'hub', 1, 1, 1, 1, 1, 1, 1, 1);"
} | sql

cd "$work"
step "import, generate, compile ($JAVAGEN_TARGET)"
JAVAGEN_DB_PASSWORD=W-Pass.7 "$cli" import-db --host 127.0.0.1 --port "$port" --user w --database wide \
  --target "$JAVAGEN_TARGET" 宽 > import.txt 2> import.err || fail "import-db: $(cat import.err)"
"$cli" generate 宽 --package wide --templates "$templates" --root gen > gen.out 2> gen.err \
  || fail "generate: $(cat gen.err)"
src="$work/gen/projects/宽/src"
classes="$work/classes"
bash "$java_dir/compile_tree.sh" "$src" "$classes" > /dev/null
run_cp="$(bash "$java_dir/classpath.sh" --run)"
javac -encoding UTF-8 --release "$java_release" -nowarn -proc:none -cp "$classes:$run_cp" -d "$classes" \
  "$here/wide/WideJoins.java"
cp -R "$src/." resources && find resources -name '*.java' -delete

step "read the hub and everything it reaches"
driver=com.mysql.jdbc.Driver
[ "$JAVAGEN_TARGET" = current ] && driver=org.mariadb.jdbc.Driver
java -Dhibernate.connection.driver_class=$driver -Dhibernate.connection.url="jdbc:$mariadb_scheme://127.0.0.1:$port/wide?useUnicode=true&characterEncoding=UTF-8" \
  -Dhibernate.connection.username=w -Dhibernate.connection.password=W-Pass.7 \
  -cp "$classes:resources:$run_cp" javagen.acceptance.WideJoins > java.out 2>&1 \
  || { cat java.out >&2; fail "reading the hub"; }
grep -q "^leaf 8.8$" java.out || fail "the last leaf was not reached: $(tail -3 java.out)"
echo "wide-joins: all checks passed"
