#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
set -euo pipefail

PAQUETES=(
  cmake g++ make pkg-config binutils
  qt6-base-dev qt6-translations-l10n libqt6sql6-sqlite libgl-dev
  libsqlite3-dev sqlite3
  libcurl4-openssl-dev libxml2-dev libpng-dev
  libgtest-dev libcpp-httplib-dev libbenchmark-dev
  fonts-liberation2 hicolor-icon-theme poppler-utils
  python3 xvfb xauth
)

faltan=()
for p in "${PAQUETES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || faltan+=("$p")
done
[ ${#faltan[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${faltan[@]}"
