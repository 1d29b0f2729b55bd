#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and builds
# the program into build/. Shared by run.sh and test.sh; safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev libqt6sql6-psql libpq-dev libqt6svg6 libgl-dev
  libqscintilla2-qt6-dev libzip-dev
  fonts-liberation2 fonts-wine fonts-dejavu-core breeze-icon-theme
  qt6-translations-l10n poppler-utils zip unzip cups cups-bsd printer-driver-cups-pdf
  # The server suites start a private cluster of their own from its programs;
  # the program itself needs no server.
  postgresql
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Telepítés: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" "$@"
