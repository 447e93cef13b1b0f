#!/usr/bin/env bash
# Installs the Debian packages the build needs; installs only what is missing,
# so a second run costs a few dpkg queries and nothing else. Packages named
# as arguments are installed with them, for the tools the build itself does
# not need (`install-deps.sh valgrind` for scripts/enemy-frame-instructions.sh).
#   install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsdl2-dev libx11-dev libxtst-dev libsdl2-image-dev libsdl2-ttf-dev fonts-dejavu-core
  libepoxy-dev libgl1-mesa-dri libegl-mesa0 libegl1
  libopenal-dev libvorbis-dev libbox2d-dev libunwind-dev
  libspng-dev googletest libgtest-dev libbenchmark-dev clang clang-format
  xvfb xauth xdotool
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [ "$status" != "install ok installed" ]; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
