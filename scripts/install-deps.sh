#!/usr/bin/env bash
# Installs what building and playing Glyphox needs on Debian 12, and with
# "all" what testing it needs too. As root it runs apt-get; otherwise it
# prints the command to run.
#   scripts/install-deps.sh [play|all]     (default: all)
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl1.2-dev libsdl-ttf2.0-dev libsdl-image1.2-dev libmikmod-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0 libx11-dev libpng-dev libfreetype-dev
  fonts-dejavu-core
)
if [ "${1:-all}" != "play" ]; then
  # tests: virtual display, input events, unit tests, sanitizers and fuzzing
  packages+=(
    # tests: virtual display, input events, unit tests, sanitizers and fuzzing
    xvfb xauth xdotool libgtest-dev clang libclang-rt-14-dev
    # tests: independent readers of the generated modules and sounds, and
    # Debian's German word list that vouches for the German words
    openmpt123 sox wngerman
    # installing and packaging: desktop file and metainfo checks, the Debian package
    desktop-file-utils appstream dpkg-dev lintian
    # the plot of the levels' difficulty curve (levels/plot_curve.py)
    python3-matplotlib
  )
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  $command
else
  echo "Glyphox needs these Debian packages: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo $command" >&2
  exit 1
fi
