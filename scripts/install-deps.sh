#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Zimbrel need, and only those
# that are missing. When everything is present it returns at once without touching the network.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkgconf
  qt6-base-dev qt6-svg-dev libfreetype-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  flex bison libcli11-dev help2man
  libfluidsynth-dev fluidsynth libasound2-dev libsndfile1-dev
  libsqlite3-dev libsodium-dev
  lilypond-fonts fonts-liberation fonts-dejavu-core timgm6mb-soundfont
  clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "error: run as root or install sudo to add: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
