#!/usr/bin/env bash
# Installs every Debian package the build, the run and the tests need.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config lld
  libwxgtk3.2-dev libwxgtk-webview3.2-dev
  libboost-dev libcurl4-openssl-dev nlohmann-json3-dev libcpp-httplib-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri imagemagick x11-utils fonts-noto-cjk tzdata
  gettext python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
