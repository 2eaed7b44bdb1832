#!/usr/bin/env bash
# Makes the screenshots the metainfo file names (board-stone.png, board-ice.png,
# menu.png), drawn by the real engine from the built art, for publishing at
# GLYPHOX_SCREENSHOT_URL.
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

# file name, what glyphox-artview draws (a theme number or the menu)
shots=("board-stone 1" "board-ice 2" "menu menu")
for shot in "${shots[@]}"; do
  read -r name scene <<<"$shot"
  SDL_VIDEODRIVER=x11 timeout -k 5 120 xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$view" "$gfx" "$scene" "$work/$name.bmp" --size 1024x768
  convert "$work/$name.bmp" "$out/$name.png"
  echo "$out/$name.png"
done
