#!/usr/bin/env bash
# Copies the seeds of a fuzz target into a directory: its corpus folder
# (tests/fuzz/corpus/<target without "fuzz_">) and the game's own files of
# that format, from the game tree of the build and every build's.
#   scripts/fuzz-seeds.sh fuzz_<target> BUILD_DIR INTO_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1 build=$2 into=$3
mkdir -p "$into"
seeds="tests/fuzz/corpus/${name#fuzz_}"
[ -d "$seeds" ] && cp -r "$seeds"/. "$into"/ 2>/dev/null || true
# The shipped files of the game tree make good seeds too.
case "$name" in
  fuzz_language_file) cp "$build"/game/data/text_*.txt "$into"/ ;;
  fuzz_ini_profile) cp "$build"/game/data/font.ini "$build"/game/game.ini "$into"/ ;;
  fuzz_config_file) cp "$build"/game/config.ini "$into"/ ;;
  fuzz_theme_ini) for n in "$build"/game/data/gfx/theme*/; do [ -f "$n"theme.ini ] && cp "$n"theme.ini "$into/$(basename "$n").ini"; done ;;
  fuzz_model_file | fuzz_texture_image)
    [ "$name" = fuzz_model_file ] && pattern='*.3do' || pattern='*.png'
    # Models and textures of every build's game tree, named by their path
    # since themes share file names.
    { find build*/game/data/gfx -name "$pattern" -size -256k 2>/dev/null || true; } | while read -r file; do
      cp "$file" "$into/$(echo "$file" | tr '/' '_')"
    done ;;
  fuzz_level_file) cp build*/game/data/level/*.lvl "$into"/ 2>/dev/null || true ;;
  fuzz_record_order) for f in build*/game/data/level/*.records; do [ -f "$f" ] && { printf "\x3c"; cat "$f"; } >"$into/$(basename "$f")"; done ;;
  fuzz_page_script) cp "$build"/game/data/order/scriptorder*.txt "$into"/ ;;
  fuzz_score_file) cp build*/game/score*.orb "$into"/ 2>/dev/null || true ;;
  fuzz_module_file) cp "$build"/game/data/sfx/*.zik "$into"/ ;;
  fuzz_sample_file) cp "$build"/game/data/sfx/*.wav "$into"/ ;;
  fuzz_level_source) cp levels/*.txt "$into"/ ;;
  fuzz_music_score) cp music/*.txt "$into"/ ;;
esac
