#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the game,
# skipping the apt run entirely when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  libsdl2-dev libgl-dev libegl-dev libgles-dev libgl1-mesa-dri
  libpng-dev zlib1g-dev libfreetype-dev libvorbis-dev libogg-dev
  libcurl4-openssl-dev libmpg123-dev libdbus-1-dev
  libgtest-dev libgmock-dev
  xvfb xauth xdotool x11-utils x11-apps imagemagick strace
  zenity xdg-utils lame
  fonts-dejavu-core python3 clang-format
  clang libclang-rt-14-dev
  desktop-file-utils appstream man-db dpkg-dev file gettext
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
