#!/usr/bin/env bash
# Every MySQL/MariaDB column type an import meets, on the driver the
# generated application ships with (Connector/J 5.1): a table with one
# column of each type and a row of edge values is imported (the report must
# give each column the member type of README's table, or skip it), generated
# and compiled; types/TypeRoundTrip.java reads the row through the generated
# DAO, saves an unchanged copy as a page would post it, and adds a second row
# from the values it read: both rows must equal the first, column by column.
#   column_types.sh JAVAGEN_CLI TEMPLATE_DIR
# shellcheck source=mariadb_script.sh
source "$(dirname "${BASH_SOURCE[0]}")/mariadb_script.sh" column-types "$@"

# column definition | value of the row | member line of the report ("skip" when skipped)
types=(
  "c_tinyint TINYINT NOT NULL|-128|整型 必填"
  "c_smallint SMALLINT NOT NULL|-32768|整型 必填"
  "c_mediumint MEDIUMINT NOT NULL|8388607|整型 必填"
  "c_int INT NOT NULL|-2147483648|整型 必填"
  "c_int_unsigned INT UNSIGNED NOT NULL|4294967295|长整型 必填"
  "c_bigint BIGINT NOT NULL|-9223372036854775808|长整型 必填"
  "c_bigint_unsigned BIGINT UNSIGNED NOT NULL|18446744073709551615|定点数(20,0) 必填"
  "c_bit1 BIT(1) NOT NULL|b'1'|整型 必填"
  "c_bit8 BIT(8) NULL|b'10100101'|skip"
  "c_float FLOAT NOT NULL|1.5|浮点型 必填"
  "c_double DOUBLE NOT NULL|0.30000000000000004|双精度 必填"
  "c_double_big DOUBLE NULL|1e300|双精度 可为空"
  "c_decimal DECIMAL(12,4) NOT NULL|-12345678.9012|定点数(12,4) 必填"
  "c_char CHAR(4) NOT NULL|'abcd'|字符串(4) 必填"
  "c_varchar VARCHAR(20) NULL|'中文 '' \\\\\\\\ %'|字符串(20) 可为空"
  "c_varchar_null VARCHAR(20) NULL|NULL|字符串(20) 可为空"
  "c_varchar_empty VARCHAR(20) NULL|''|字符串(20) 可为空"
  "c_text TEXT NULL|'长文本'|字符串(65535) 可为空"
  "c_enum ENUM('red','green') NOT NULL|'green'|字符串(5) 必填 可选 red|green"
  "c_set SET('x','y') NOT NULL|'x,y'|字符串(3) 必填 可多选 x|y"
  "c_enum_case ENUM('PG','NC-17','r') NOT NULL|'NC-17'|字符串(5) 必填 可选 PG|NC-17|r"
  "c_set_case SET('Trailers','Deleted Scenes') NULL|'Trailers,Deleted Scenes'|字符串(23) 可为空 可多选 Trailers|Deleted Scenes"
  "c_date DATE NULL|'2024-02-29'|日期型 可为空"
  "c_date_null DATE NULL|NULL|日期型 可为空"
  "c_datetime DATETIME NOT NULL|'2024-01-02 03:04:05'|日期型 必填"
  "c_datetime6 DATETIME(6) NOT NULL|'2024-01-02 03:04:05.123456'|日期型 必填"
  "c_time TIME NOT NULL|'838:59:59'|日期型 必填"
  "c_time3 TIME(3) NOT NULL|'23:59:59.999'|日期型 必填"
  "c_time6_null TIME(6) NULL|'-12:00:00.000001'|日期型 可为空"
  "c_year YEAR NOT NULL|2155|整型 必填"
  "c_blob BLOB NULL|NULL|skip"
)

start_mariadb || fail "the server did not start"
sql() { mariadb --no-defaults --socket="$sock" -uroot --default-character-set=utf8mb4 "$@"; }
{
  echo "CREATE DATABASE kinds CHARACTER SET utf8mb4; USE kinds;"
  echo "CREATE USER 'k'@'127.0.0.1' IDENTIFIED BY 'K-Pass.5'; GRANT ALL ON kinds.* TO 'k'@'127.0.0.1';"
  columns="id INT NOT NULL PRIMARY KEY"
  values="1"
  for row in "${types[@]}"; do
    IFS='|' read -r definition value _ <<< "$row"
    columns="$columns, $definition"
    values="$values, $value"
  done
  echo "CREATE TABLE kinds ($columns) COMMENT='类型';"
  echo "INSERT INTO kinds VALUES ($values);"
} | sql

cd "$work"
step "import: each column's member type"
JAVAGEN_DB_PASSWORD=K-Pass.5 "$cli" import-db --host 127.0.0.1 --port "$port" --user k --database kinds 类型 \
  > import.txt 2> import.err || fail "import-db: $(cat import.err)"
for row in "${types[@]}"; do
  IFS='|' read -r definition _ member <<< "$row"
  column="${definition%% *}"
  if [ "$member" = skip ]; then
    grep -q "^跳过列 kinds.$column：" import.txt || fail "$column is not skipped:"$'\n'"$(cat import.txt)"
  else
    grep -qE "^    成员 [A-Za-z0-9]+ $(printf "%s" "$member" | sed "s/[()|]/\\\\&/g")( 下拉框显示)? ← 列 $column\$" import.txt \
      || fail "$column is not imported as $member:"$'\n'"$(cat import.txt)"
  fi
done

step "generate, compile, round trip on Connector/J 5.1"
"$cli" generate 类型 --package kinds --templates "$templates" --root gen > gen.out 2> gen.err \
  || fail "generate: $(cat gen.err)"
src="$work/gen/projects/类型/src"
classes="$work/classes"
bash "$java_dir/compile_tree.sh" "$src" "$classes" > /dev/null
run_cp="$(bash "$java_dir/classpath.sh" --run)"
javac -encoding UTF-8 --release 8 -nowarn -proc:none -cp "$classes:$run_cp" -d "$classes" "$here/types/TypeRoundTrip.java"
cp -R "$src/." resources && find resources -name '*.java' -delete
checksum() { sql -N -e 'CHECKSUM TABLE kinds.kinds' | cut -f2; }
before="$(checksum)"
java -Dhibernate.connection.url="jdbc:mysql://127.0.0.1:$port/kinds?useUnicode=true&characterEncoding=UTF-8" \
  -Dhibernate.connection.username=k -Dhibernate.connection.password=K-Pass.5 \
  -cp "$classes:resources:$run_cp" javagen.acceptance.TypeRoundTrip > java.out 2>&1 \
  || { cat java.out >&2; fail "the round trip"; }
differing="$(for row in "${types[@]}"; do IFS='|' read -r definition _ member <<< "$row"; [ "$member" = skip ] && continue; \
  c="${definition%% *}"; echo "SELECT '$c' FROM kinds a JOIN kinds b ON b.id = 2 WHERE a.id = 1 AND NOT (a.$c <=> b.$c);"; \
  done | sql -N kinds)"
# An empty optional text is added as NULL: the page cannot tell '' from NULL.
[ "$(echo $differing)" = "c_varchar_empty" ] || fail "the added copy differs in: $differing"
[ "$(sql -N kinds -e 'SELECT c_varchar_empty IS NULL FROM kinds WHERE id = 2')" = 1 ] \
  || fail "an empty optional text was added as ''"
sql -N kinds -e "DELETE FROM kinds WHERE id = 2"
[ "$(checksum)" = "$before" ] || fail "an unchanged save changed the row"
echo "column-types: all checks passed"
