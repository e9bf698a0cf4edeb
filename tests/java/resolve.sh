#!/usr/bin/env bash
# Resolves tests/java/pom.xml with Maven (downloading what the local
# repository lacks) and keeps its class paths in a cache directory, one file
# a scope, named by the pom's sha256 so that a changed pom resolves anew:
#
#   $JAVAGEN_JAVA_CACHE/<sha256>/compile.classpath  compile and provided scopes
#   $JAVAGEN_JAVA_CACHE/<sha256>/runtime.classpath  compile and runtime scopes
#   $JAVAGEN_JAVA_CACHE/<sha256>/test.classpath     every scope
#
# Prints that directory. Fast when done before: Maven runs only when a file
# is missing or names a jar that is gone. Safe to run from tests in
# parallel: one resolves, the others wait for it.
#
# JAVAGEN_JAVA_CACHE overrides the cache (default ~/.cache/javagen-tests);
# MVN the Maven command (default mvn). Use tests/java/classpath.sh to get a
# class path: it calls this.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# JAVAGEN_TARGET=current: the current target's frameworks (current/pom.xml).
pom="$here/pom.xml"
[ "${JAVAGEN_TARGET:-legacy}" = current ] && pom="$here/current/pom.xml"
cache="${JAVAGEN_JAVA_CACHE:-${HOME:-/tmp}/.cache/javagen-tests}"
key="$(sha256sum "$pom" | cut -d' ' -f1)"
dir="$cache/$key"
scopes=(compile runtime test)

# True when every scope's file is there and every jar it names exists.
resolved() {
    local scope jar jars
    for scope in "${scopes[@]}"; do
        [ -s "$dir/$scope.classpath" ] || return 1
        IFS=: read -r -a jars < "$dir/$scope.classpath" || true  # no final newline
        for jar in "${jars[@]}"; do
            [ -f "$jar" ] || return 1
        done
    done
}

if ! resolved; then
    mkdir -p "$cache"
    exec 9> "$cache/$key.lock"
    flock 9
    if ! resolved; then
        mvn_cmd="${MVN:-mvn}"
        if ! command -v "$mvn_cmd" > /dev/null 2>&1; then
            echo "resolve.sh: $mvn_cmd not found (run tools/install-deps.sh --tests)" >&2
            exit 1
        fi
        tmp="$(mktemp -d "$cache/$key.XXXXXX")"
        trap 'rm -rf "$tmp"' EXIT
        goals=()
        for scope in "${scopes[@]}"; do
            goals+=("dependency:build-classpath@$scope")
        done
        if ! "$mvn_cmd" -B -q -f "$pom" "${goals[@]}" -Dclasspath.dir="$tmp" > "$tmp/mvn.log" 2>&1; then
            cat "$tmp/mvn.log" >&2
            echo "resolve.sh: Maven could not resolve $pom" >&2
            exit 1
        fi
        rm -f "$tmp/mvn.log"
        rm -rf "$dir"
        mv "$tmp" "$dir"
        if ! resolved; then
            echo "resolve.sh: Maven wrote no usable class path into $dir" >&2
            exit 1
        fi
    fi
fi
printf '%s\n' "$dir"
