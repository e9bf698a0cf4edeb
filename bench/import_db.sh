#!/usr/bin/env bash
# Times import-db of a large schema on a private MariaDB: TABLES tables
# (1,000 by default), each with a key, three columns and a foreign key to
# the table before it.
#   bench/import_db.sh [TABLES]      needs mariadbd (mariadb-server-core)
set -euo pipefail
cd "$(dirname "$0")/.."
n="${1:-1000}"
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DJAVAGEN_GUI=OFF -DJAVAGEN_BENCH=ON > /dev/null
cmake --build build-bench -j"$(nproc)" --target javagen-cli > /dev/null
cli="$PWD/build-bench/bin/javagen-cli"
PATH="$PATH:/usr/sbin:/sbin"
script_pid=$$
work="$(mktemp -d "${BENCH_DIR:-/tmp}/javagen-import-db-XXXXXX")"
# shellcheck source=../tests/acceptance/mariadb_server.sh
step() { :; }
source tests/acceptance/mariadb_server.sh
start_mariadb
sql() { mariadb --no-defaults --socket="$sock" -uroot --default-character-set=utf8mb4 "$@"; }
{
  echo "CREATE DATABASE big; USE big; SET foreign_key_checks = 0;"
  for i in $(seq 1 "$n"); do
    fk=""
    [ "$i" -gt 1 ] && fk=", prev_id INT, FOREIGN KEY (prev_id) REFERENCES t$((i - 1)) (id)"
    echo "CREATE TABLE t$i (id INT AUTO_INCREMENT PRIMARY KEY, name VARCHAR(40) NOT NULL COMMENT '名称',"
    echo "  created DATETIME$fk) COMMENT='表$i';"
  done
  echo "CREATE USER 'bench'@'127.0.0.1' IDENTIFIED BY 'bench-Pass.1'; GRANT ALL ON big.* TO 'bench'@'127.0.0.1';"
} | sql
cd "$work"
start=$(date +%s.%N)
JAVAGEN_DB_PASSWORD=bench-Pass.1 "$cli" import-db --host 127.0.0.1 --port "$port" --user bench --database big Big \
  > /dev/null
end=$(date +%s.%N)
echo "tables $n, foreign keys $((n - 1)): import-db $(echo "$end - $start" | bc) s"
