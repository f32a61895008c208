#!/usr/bin/env bash
# Installs the Debian packages Zantor needs to build, test and run, only when missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config clang-format clang libclang-rt-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  xvfb xauth xdotool x11-utils imagemagick
  desktop-file-utils appstream dpkg-dev python3
  fonts-dejavu-core
  g++-mingw-w64-x86-64-posix wine64 googletest
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
