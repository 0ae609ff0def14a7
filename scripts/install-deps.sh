#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the program need
# (only those that are missing), or the packages named as arguments. Run as
# root on Debian 12.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  fonts-noto-cjk poppler-utils xvfb xauth
  clang-14 libclang-rt-14-dev ccache
  libxlsxwriter-dev libqrencode-dev zbar-tools python3-openpyxl
)
if [ $# -gt 0 ]; then
  packages=("$@")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
