#!/usr/bin/env bash
# Prints the class path for compiling (and, with --run, running; with --web,
# serving) a generated Java tree: the real framework jars its users deploy
# with, as tests/java/pom.xml pins them and Maven resolves them (through
# resolve.sh, which caches the result). That pom and this script are the one
# place that names these jars; other test scripts call this instead.
#
#   classpath.sh          compile class path: Struts 2.3, Hibernate 3.6 and
#                         what they need, Connector/J 5.1, the Servlet 3.1 API
#   classpath.sh --run    that, plus the HSQLDB, MariaDB and PostgreSQL JDBC drivers and
#                         an SLF4J binding that silences logging
#   classpath.sh --web    the run class path, plus an embedded Tomcat 9 with
#                         its JSP engine, JSTL 1.2 and Selenium; the servlet
#                         API is then Tomcat's own (Servlet 4.0), not 3.1
#
# JAVAGEN_TARGET=current gives the same for the current target's frameworks
# (Struts 7, Hibernate 7, Jakarta EE 10, an embedded Tomcat 11).
#
# Exits 1 with Maven's message when the pom cannot be resolved.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

mode="${1:-}"
case "$mode" in
    ""|--run|--web) ;;
    *)
        echo "usage: $0 [--run|--web]" >&2
        exit 2
        ;;
esac

dir="$(bash "$here/resolve.sh")"

# Joins the entries of the given class path files, in order, each jar once,
# leaving out those whose path matches the pattern in $skip.
join() {
    local file jar jars path=""
    declare -A seen=()
    for file in "$@"; do
        IFS=: read -r -a jars < "$file" || true  # the file ends without a newline
        for jar in "${jars[@]}"; do
            [ -n "${seen[$jar]:-}" ] && continue
            [ -n "$skip" ] && [[ "$jar" == $skip ]] && continue
            seen[$jar]=1
            path="${path:+$path:}$jar"
        done
    done
    printf '%s\n' "$path"
}

skip=""
case "$mode" in
    "")    join "$dir/compile.classpath" ;;
    --run) join "$dir/compile.classpath" "$dir/runtime.classpath" ;;
    --web)
        # Tomcat 9 carries the Servlet 4.0 API; the 3.1 jar ahead of it
        # would hide the newer classes Tomcat itself needs.
        skip="*/javax/servlet/javax.servlet-api/*"
        [ "${JAVAGEN_TARGET:-legacy}" = current ] && skip="*/jakarta/servlet/jakarta.servlet-api/*"
        join "$dir/runtime.classpath" "$dir/test.classpath"
        ;;
esac
