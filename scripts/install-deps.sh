#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need,
# only those that are missing.
set -euo pipefail
packages=(g++ make cmake pkg-config
  qt6-base-dev qt6-webengine-dev qt6-multimedia-dev libqt6sql6-ibase libqt6svg6
  firebird-dev firebird3.0-server-core firebird3.0-utils libcmark-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  fonts-noto-core fonts-dejavu-core
  xvfb xauth pulseaudio sox lame poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
