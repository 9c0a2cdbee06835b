#!/usr/bin/env bash
# Installs the Debian packages Dorvane Lite needs to build, test and run, when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config cpp clang clang-format
  qt6-base-dev libgl-dev
  libcurl4-openssl-dev
  libsqlite3-dev
  nlohmann-json3-dev libsimdjson-dev
  binutils-mingw-w64-x86-64
  googletest libgtest-dev libbenchmark-dev
  libcpp-httplib-dev
  xvfb xauth poppler-utils fonts-dejavu-core
  xdotool openbox
  fonts-wqy-microhei
  fusefat dosfstools exfat-fuse exfatprogs ntfs-3g
  mmdebstrap bubblewrap
  chromium python3
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
