#!/usr/bin/env bash
# Database first from PostgreSQL: a schema with every kind of column the
# import meets (integer kinds, numeric, real and double, boolean, text
# kinds, dates, times and time zones, bytea, uuid, json and jsonb, an enum
# type, an array, serial and identity keys, a generated column, comments,
# primary, unique and foreign keys, a view, a link table, a composite key,
# defaults, a trigger; pg/schema.sql) on a private PostgreSQL server is
# imported with import-db --kind postgresql; the report names every class,
# choice and skip with its reason; the project is a PostgreSQL one, and its
# generated tree (pages too) compiles on the target's frameworks.
#   import_postgresql.sh JAVAGEN_CLI TEMPLATE_DIR [legacy|current]
# shellcheck source=mariadb_script.sh
source "$(dirname "${BASH_SOURCE[0]}")/mariadb_script.sh" import-postgresql "$@"
pg_dir=""
# shellcheck source=postgresql_server.sh
source "$here/postgresql_server.sh"

start_postgresql || fail "the server did not start"
pg_sql postgres -c "CREATE USER shop WITH PASSWORD 'Shop-Pass.5'" -c "CREATE DATABASE shop OWNER shop"
PGPASSWORD=Shop-Pass.5 "$(pg_bin psql)" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$pg_port" -U shop -d shop \
    -f "$here/pg/schema.sql" > /dev/null

step "importing"
export JAVAGEN_DB_PASSWORD=Shop-Pass.5
"$cli" --db "$work/projects.mdb" import-db --kind postgresql --host 127.0.0.1 --port "$pg_port" --user shop \
    --database shop --target "$JAVAGEN_TARGET" Shop > "$work/import.out" 2>&1 || { cat "$work/import.out"; fail "import-db"; }
expect() {
    grep -qxF -- "$1" "$work/import.out" || { cat "$work/import.out"; fail "no line: $1"; }
}
expect "类 Category(分类) ← 表 category"
expect "    成员 name 字符串(40) 必填 下拉框显示 ← 列 name"
expect "    成员 itemId 长整型 主键 必填 ← 列 item_id"
expect "    成员 code 字符串(36) 空着时用数据库默认值 ← 列 code"
expect "    成员 price 定点数(10,2) 可为空 ← 列 price"
expect "    成员 weight 浮点型 可为空 ← 列 weight"
expect "    成员 ratio 双精度 可为空 ← 列 ratio"
expect "    成员 stamp 日期型 可为空 ← 列 stamp"
expect "    成员 docb 字符串(65535) 可为空 ← 列 docb"
expect "    成员 total 定点数(12,2) 可为空 由数据库填写(只读) ← 列 total"
expect "    成员 tagSet Tag 多对多 ← 联系表 item_tag(item_id, tag_id)"
expect "跳过列 item.active：类型 boolean 不受支持"
expect "跳过列 item.stamp_tz：类型 timestamp with time zone 不受支持"
expect "跳过列 item.tags：类型 text[] 不受支持"
expect "提示 表 item 有触发器 item_touch(BEFORE INSERT/UPDATE)：生成的应用写入这张表时数据库照常执行它，它改动的值在重新读取后才显示"
expect "已从数据库导入工程“Shop”：5 个类。"
if [ "$JAVAGEN_TARGET" = current ]; then
    expect "    成员 photo 二进制 可为空 ← 列 photo"
    expect "    成员 feel 字符串(5) 可为空 可选 Happy|sad|O'K ← 列 feel"
fi
"$cli" --db "$work/projects.mdb" project settings Shop | grep -qx $'database\tpostgresql' || fail "not a PostgreSQL project"

step "generating and compiling"
"$cli" --db "$work/projects.mdb" generate Shop --webapp --package shop --templates "$templates" --root "$work/gen" \
    > "$work/generate.out" 2>&1 || { cat "$work/generate.out"; fail "generate"; }
src="$work/gen/projects/Shop/src"
grep -q ">jdbc:postgresql://127.0.0.1:$pg_port/shop?stringtype=unspecified<" "$src/hibernate.cfg.xml" ||
    fail "hibernate.cfg.xml does not name the imported database"
grep -q ">org.postgresql.Driver<" "$src/hibernate.cfg.xml" || fail "hibernate.cfg.xml names another driver"
if [ "$JAVAGEN_TARGET" = legacy ]; then
    grep -q '<generator class="identity"/>' "$src/com/shop/domain/Item.hbm.xml" ||
        fail "the serial key is not numbered by its identity column"
fi
bash "$java_dir/compile_tree.sh" "$src" "$work/classes"
step "passed"
