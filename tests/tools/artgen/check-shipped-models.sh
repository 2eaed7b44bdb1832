#!/usr/bin/env bash
# Runs "glyphox-model check" over every model of the game tree, each group
# with the texture directory the game loads it with.
#   check-shipped-models.sh GLYPHOX_MODEL GFX_DIR
set -u
model=$1
gfx=$2
status=0
check() {
  "$model" check "$@" || status=1
}
check "$gfx"/3d/*.3do --textures "$gfx/2d"
check "$gfx"/2d/*.3do --textures "$gfx/2d"
for theme in "$gfx"/theme*/; do
  check "$theme"3d/*.3do --textures "${theme}texture"
done
count=$(find "$gfx" -name '*.3do' | wc -l)
echo "checked $count models"
if [ "$count" -lt 65 ]; then
  echo "expected the cube, four menu objects and twenty objects per theme" >&2
  status=1
fi
exit $status
