#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (as root, or
# through sudo), and the packages given as arguments. Quick when everything is
# there already.
set -euo pipefail
packages=(
  build-essential cmake git pkg-config
  qt6-base-dev qt6-image-formats-plugins libgl-dev
  libgif-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core fonts-wqy-microhei
  xvfb xauth x11-utils xdotool
  jp2a unrtf chromium poppler-utils
  "$@"
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
