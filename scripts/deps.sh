#!/usr/bin/env bash
# Installs the Debian packages Brivello needs to build, run and test,
# and only those that are missing. On Debian 12, as root or through sudo.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config git
  qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libqt6multimedia6
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
  mdbtools mdbtools-dev
  libgammu-dev gammu python3-mido
  libsqlite3-dev libbenchmark-dev
  fonts-dejavu-core
  xvfb xauth pulseaudio pulseaudio-utils imagemagick
  openbox xdotool x11-utils
  desktop-file-utils appstream dpkg-dev
  gnokii-cli
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed'; then
    missing+=("$package")
  fi
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

# apt-get needs root: run it as is when we are, through sudo when we are not.
as_root=()
if [ "$(id -u)" != 0 ]; then
  if ! command -v sudo >/dev/null; then
    echo "scripts/deps.sh: these Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo is not installed. As root, run:" >&2
    echo "  apt-get install ${missing[*]}" >&2
    echo "then run this again." >&2
    exit 1
  fi
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
