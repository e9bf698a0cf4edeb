#!/usr/bin/env bash
# Prints the class path for compiling (and, with --run, running) a generated
# Java tree: Debian's Hibernate 3 jars and what they need. The one place that
# names these jars; other test scripts call it instead of listing them again.
#
#   classpath.sh          compile class path
#   classpath.sh --run    compile class path plus an SLF4J binding and the
#                         HSQLDB and MariaDB JDBC drivers, for running code
#   classpath.sh --web    run class path plus Jetty 9 with its JSP engine and
#                         JSTL 1.2, for serving generated pages
#
# JAVA_LIB_DIR overrides the jar directory (default /usr/share/java).
# Exits 1, naming every missing jar, when one is not installed.
set -euo pipefail

lib_dir="${JAVA_LIB_DIR:-/usr/share/java}"

# Unversioned names: Debian keeps them as links to the installed versions.
# The two Geronimo API jars are matched by pattern (first match wins).
jars=(
    hibernate3.jar                     # libhibernate3-java
    dom4j.jar                          # libdom4j-java
    commons-collections3.jar           # libcommons-collections3-java
    antlr.jar                          # libantlr-java
    javassist.jar                      # libjavassist-java
    slf4j-api.jar                      # libslf4j-java
    geronimo-jta-1.2-*.jar             # JTA API, pulled in by libhibernate3-java
    geronimo-jpa_2.0_*.jar             # JPA 2.0 API, pulled in by libhibernate3-java
    hibernate-commons-annotations.jar  # libhibernate-commons-annotations-java
    servlet-api-3.1.jar                # libservlet3.1-java: the generated web filters
)

case "${1:-}" in
    "") ;;
    --run)
        jars+=(
            slf4j-nop.jar                  # libslf4j-java: silences logging
            hsqldb.jar                     # libhsqldb-java
            mariadb-java-client.jar        # libmariadb-java
        )
        ;;
    --web)
        jars+=(
            slf4j-nop.jar hsqldb.jar mariadb-java-client.jar
            jetty9-server.jar jetty9-servlet.jar jetty9-util.jar jetty9-http.jar jetty9-io.jar
            jetty9-security.jar jetty9-apache-jsp.jar # libjetty9-java
            tomcat9-jasper.jar tomcat9-jasper-el.jar tomcat9-api.jar tomcat9-util.jar tomcat9-util-scan.jar
            tomcat9-juli.jar                          # libtomcat9-java: the JSP engine
            el-api.jar jsp-api.jar eclipse-jdt-core.jar # libel-api-java, libjsp-api-java, libeclipse-jdt-core-java
            taglibs-standard-impl.jar taglibs-standard-spec.jar  # libtaglibs-standard-*-java: JSTL 1.2
        )
        ;;
    *)
        echo "usage: $0 [--run|--web]" >&2
        exit 2
        ;;
esac

missing=0
path=""
shopt -s nullglob
for jar in "${jars[@]}"; do
    matches=("$lib_dir"/$jar)
    file="${matches[0]:-$lib_dir/$jar}"
    if [ ! -f "$file" ]; then
        echo "classpath.sh: missing jar: $file" >&2
        missing=1
    fi
    path="${path:+$path:}$file"
done
if [ "$missing" -ne 0 ]; then
    echo "classpath.sh: install libhibernate3-java libjavassist-java (and for --run libhsqldb-java libmariadb-java)" >&2
    exit 1
fi
printf '%s\n' "$path"
