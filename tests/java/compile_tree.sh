#!/usr/bin/env bash
# Compiles every .java file below SRC_DIR (a generated "src" tree) against the
# real Struts 2, Hibernate 3 and Connector/J jars (classpath.sh) into OUT_DIR.
# Sources are read as GBK, as generated. On failure prints javac's output and
# exits non-zero.
#
#   compile_tree.sh SRC_DIR OUT_DIR
#
# JAVAC overrides the compiler, JAVA_RELEASE the language level (default 8).
set -euo pipefail

if [ "$#" -ne 2 ]; then
    echo "usage: $0 SRC_DIR OUT_DIR" >&2
    exit 2
fi
src_dir="$1"
out_dir="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
javac_cmd="${JAVAC:-javac}"
release="${JAVA_RELEASE:-8}"
[ "${JAVAGEN_TARGET:-legacy}" = current ] && release="${JAVA_RELEASE:-17}"

if [ ! -d "$src_dir" ]; then
    echo "compile_tree.sh: no such directory: $src_dir" >&2
    exit 2
fi
if ! command -v "$javac_cmd" >/dev/null 2>&1; then
    echo "compile_tree.sh: $javac_cmd not found (install default-jdk-headless)" >&2
    exit 1
fi

class_path="$("$here/classpath.sh")"

# File names may hold non-ASCII text (project names are often Chinese); a
# UTF-8 locale lets the JVM open them.
if locale -a 2>/dev/null | grep -qix 'c\.utf-\?8'; then
    export LC_ALL=C.UTF-8
fi

mapfile -d '' sources < <(find "$src_dir" -name '*.java' -type f -print0 | sort -z)
if [ "${#sources[@]}" -eq 0 ]; then
    echo "compile_tree.sh: no .java file below $src_dir" >&2
    exit 1
fi

mkdir -p "$out_dir"
log="$(mktemp)"
trap 'rm -f "$log"' EXIT

if ! "$javac_cmd" -encoding GBK --release "$release" -nowarn -Xlint:none -proc:none \
        -cp "$class_path" -d "$out_dir" "${sources[@]}" >"$log" 2>&1; then
    cat "$log" >&2
    echo "compile_tree.sh: javac failed for $src_dir" >&2
    exit 1
fi
echo "compile_tree.sh: compiled ${#sources[@]} generated sources into $out_dir"
