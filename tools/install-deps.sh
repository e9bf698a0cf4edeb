#!/usr/bin/env bash
# Installs the Debian 12 packages javagen needs.
#   install-deps.sh           what building and running the workbench needs
#   install-deps.sh --tests   that, and what the tests need besides (GoogleTest,
#                             a JDK and Maven, MariaDB and PostgreSQL servers, Xvfb,
#                             clang-format, and for the page tests ant and
#                             headless Chromium with ChromeDriver), then has
#                             Maven fetch the Java frameworks generated code
#                             runs on (tests/java/pom.xml: Struts 2, Hibernate
#                             3.6, JDBC drivers, Tomcat 9, JSTL, Selenium)
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libsqlite3-dev libicu-dev libcli11-dev nlohmann-json3-dev libgit2-dev libmariadb-dev libpq-dev
  libtree-sitter-dev libpugixml-dev
  qt6-base-dev qt6-translations-l10n fonts-wqy-microhei
)
if [ "${1:-}" = "--tests" ]; then
  packages+=(
    libgtest-dev clang-format
    default-jdk-headless maven
    mariadb-server-core mariadb-client-core
    postgresql
    xvfb xauth
    ant chromium chromium-driver curl
  )
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Java grammar of tree-sitter (its generated C parser) comes from its npm
# package, unpacked into .deps/ where the build looks for it.
grammar=".deps/tree-sitter-java-0.20.2"
cd "$(dirname "$0")/.."
if [ ! -f "$grammar/src/parser.c" ]; then
  if ! command -v npm > /dev/null 2>&1; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm
  fi
  tmp="$(mktemp -d)"
  (cd "$tmp" && npm pack --silent tree-sitter-java@0.20.2 > /dev/null)
  mkdir -p .deps
  tar xzf "$tmp"/tree-sitter-java-0.20.2.tgz -C "$tmp"
  rm -rf "$grammar"
  mv "$tmp/package" "$grammar"
  rm -rf "$tmp"
fi

# The Java frameworks the tests compile and run generated code against come
# from Maven, resolved once here into ~/.m2 (and their class paths
# cached) so that the tests themselves need not wait on the network.
if [ "${1:-}" = "--tests" ]; then
  bash tests/java/resolve.sh > /dev/null
fi
