#!/usr/bin/env bash
# Installs the Debian packages Brivello needs to build, run and test,
# and only those that are missing. Run as root on Debian 12.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libqt6multimedia6
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
  mdbtools mdbtools-dev
  libsqlite3-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth pulseaudio pulseaudio-utils imagemagick
  libgammu-dev gammu gnokii-cli
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
