#!/usr/bin/env bash
# Installs the Debian packages the project needs.
#   scripts/deps.sh          what building and running need
#   scripts/deps.sh --test   that, and the test, benchmark, fuzz and packaging tools
# Idempotent: does nothing when all packages are already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-multimedia-dev
  libgl-dev libxkbcommon-dev libxcb1-dev libqt6webenginecore6-bin
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  libcurl4-openssl-dev libpng-dev libjpeg-dev libgif-dev
  libcpp-httplib-dev libsqlite3-dev libqrencode-dev libssl-dev zlib1g-dev libcrypt-dev
  sox lame fonts-liberation2 fontconfig fonts-dejavu-core libqt6svg6
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev python3
  clang libclang-rt-14-dev
  xvfb xauth imagemagick x11-utils
  dpkg-dev file curl
)
if [ "${1:-}" = "--test" ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
