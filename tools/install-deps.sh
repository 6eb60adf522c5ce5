#!/usr/bin/env bash
# Installs the Debian packages Markwart needs to build, run and test, and any packages named
# as arguments (`make fuzz` adds clang and the libFuzzer runtime this way).
# Only packages that are missing are installed; runs apt-get through sudo when not root.
set -euo pipefail

packages=(
  build-essential
  cmake
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  qt6-qpa-plugins
  qt6-translations-l10n
  libqt6network6
  libquazip1-qt6-dev
  libfreexl-dev
  libsodium-dev
  libxlsxwriter-dev
  libbenchmark-dev
  libgl-dev
  xvfb
  xauth
  fonts-liberation2
  desktop-file-utils
  appstream
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
else
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
