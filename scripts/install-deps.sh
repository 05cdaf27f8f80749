#!/usr/bin/env bash
# Installs, on Debian, only the packages the build and the tests need that are missing.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64 xvfb xdotool x11-utils fonts-noto-cjk imagemagick
  clang-14 libclang-rt-14-dev python3 libreoffice-calc
  libmuparser-dev libfparser-dev valgrind
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq >/dev/null
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
