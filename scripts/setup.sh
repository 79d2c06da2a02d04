#!/usr/bin/env bash
# Installs the Debian packages the show, its tools, tests and benchmarks need.
# Only missing packages are installed; runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config file
  libsdl2-dev libturbojpeg0-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  libmpg123-dev libopenmpt-dev
  libmp3lame-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libbenchmark-dev xvfb xdotool x11-apps imagemagick ffmpeg
  lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
