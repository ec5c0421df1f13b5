#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and testing Velmora needs on Debian 12, skipping the
# network when everything is already there. Run as root (or with sudo).
set -euo pipefail
# libicu-dev: the build writes its lower-case table from ICU, and the tests
# check that table against it.
packages=(cmake g++ make pkg-config libicu-dev qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          xvfb xauth xdotool imagemagick x11-utils python3 clang libclang-rt-14-dev time
          fonts-dejavu-core dbus at-spi2-core python3-pyatspi
          file dpkg-dev lintian appstream desktop-file-utils man-db debootstrap espeak-ng)
# fonts-dejavu-core: the font the window's texts are measured with (the
# package depends on it). dbus, at-spi2-core, python3-pyatspi: the window read
# through the accessibility bus. file .. debootstrap: the Debian package, its
# checks, and installing it into a fresh Debian root. espeak-ng: the German
# data set's transcriptions, rebuilt by a test (the other sets' Debian sources
# are fetched with apt-get download, not installed).
# Node.js and npm rebuild the bundled data; a machine may have them from
# elsewhere than Debian (whose npm then conflicts), so look for the commands.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
