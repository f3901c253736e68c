#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tanabana need.
# Safe to run again: only missing packages are fetched.
set -euo pipefail
PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libxlsxwriter-dev libminizip-dev libcurl4-openssl-dev libqrencode-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  postgresql poppler-utils sqlite3 xauth fonts-dejavu-core fonts-lohit-gujr fonts-lohit-deva openssl unzip
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
