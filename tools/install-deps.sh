#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test javagen.
set -euo pipefail
packages=(
  build-essential cmake pkg-config libsqlite3-dev libgtest-dev
  qt6-base-dev qt6-translations-l10n fonts-wqy-microhei
  default-jdk-headless libhibernate3-java libjavassist-java libhsqldb-java libmariadb-java
  mariadb-server-core mariadb-client-core
  xvfb xauth
)
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
