#!/usr/bin/env bash
# Makes the screenshots the metainfo file names (board-stone.png, board-ice.png,
# menu.png), drawn by the real engine from the built art. They are published
# at GLYPHOX_SCREENSHOT_URL, by default the repository's "screenshots" branch:
# commit OUT_DIR's pictures at the top of that branch at each release.
#   packaging/make-screenshots.sh BUILD_DIR OUT_DIR      (needs xvfb and imagemagick)
set -euo pipefail

build=$(readlink -f "$1")
out=$2
view=$build/tools/artgen/glyphox-artview
gfx=$build/game/data/gfx
[ -x "$view" ] || { echo "make-screenshots: build glyphox-artview first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The pictures are the ones the metainfo names, so the two cannot drift apart.
names=$(grep -o '@GLYPHOX_SCREENSHOT_URL@/[a-z-]*\.png' "$(dirname "$0")/org.glyphox.Glyphox.metainfo.xml.in" |
  sed 's|.*/||; s|\.png$||')
for name in $names; do
  # What glyphox-artview draws for it: a theme number or the menu.
  case $name in
    board-stone) scene=1 ;;
    board-ice) scene=2 ;;
    board-garden) scene=3 ;;
    menu) scene=menu ;;
    *) echo "make-screenshots: no scene for $name.png" >&2; exit 1 ;;
  esac
  SDL_VIDEODRIVER=x11 timeout -k 5 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$view" "$gfx" "$scene" "$work/$name.bmp" --size 1024x768
  convert "$work/$name.bmp" "$out/$name.png"
  echo "$out/$name.png"
done
