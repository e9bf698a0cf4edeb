# The start of every acceptance script that runs on a private MariaDB:
# sourced as
#   source "$(dirname "${BASH_SOURCE[0]}")/mariadb_script.sh" NAME "$@"
# with the script's own JAVAGEN_CLI TEMPLATE_DIR [legacy|current] arguments
# (the target is exported as JAVAGEN_TARGET for tests/java). Sets cli,
# templates, here, java_dir and work (a fresh directory named after NAME),
# step and fail (lines prefixed with NAME), and brings in mariadb_server.sh.
set -euo pipefail
script_name="$1"
cli="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
templates="$(cd "$3" && pwd)"
export JAVAGEN_TARGET="${4:-legacy}"
# Java level of the generated code, and the JDBC scheme the MariaDB driver
# is named with (Hibernate 7 asks the named driver itself).
java_release=8 mariadb_scheme=mysql
[ "$JAVAGEN_TARGET" = current ] && java_release=17 mariadb_scheme=mariadb
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
script_pid=$$
java_dir="$here/../java"
PATH="$PATH:/usr/sbin:/sbin"
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then export LC_ALL=C.UTF-8; fi

work="$(mktemp -d "${TMPDIR:-/tmp}/$script_name.XXXXXX")"
db_dir=""
step() { echo "$script_name: $*"; }
fail() { echo "$script_name: FAILED: $*" >&2; exit 1; }
# shellcheck source=mariadb_server.sh
source "$here/mariadb_server.sh"
