#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a short smoke
# run. Seeds come from tests/fuzz/corpus/<target> and the shipped game files.
#   scripts/fuzz-smoke.sh [seconds per target, default 45]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-45}
build=build-fuzz

cmake -S . -B "$build" -DGLYPHOX_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_all game_tree -j"$(nproc)"

targets=$(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
status=0
for target in $targets; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  seeds="tests/fuzz/corpus/${name#fuzz_}"
  [ -d "$seeds" ] && cp -r "$seeds"/. "$corpus"/ 2>/dev/null || true
  # The shipped files of the game tree make good seeds too.
  case "$name" in
    fuzz_language_file) cp "$build"/game/data/text_*.txt "$corpus"/ ;;
    fuzz_ini_profile) cp "$build"/game/data/font.ini "$build"/game/game.ini "$corpus"/ ;;
    fuzz_config_file) cp "$build"/game/config.ini "$corpus"/ ;;
    fuzz_theme_ini) for n in "$build"/game/data/gfx/theme*/; do [ -f "$n"theme.ini ] && cp "$n"theme.ini "$corpus/$(basename "$n").ini"; done ;;
    fuzz_model_file | fuzz_texture_image)
      [ "$name" = fuzz_model_file ] && pattern='*.3do' || pattern='*.png'
      # Models and textures of every build's game tree, named by their path
      # since themes share file names.
      { find build*/game/data/gfx -name "$pattern" -size -256k 2>/dev/null || true; } | while read -r file; do
        cp "$file" "$corpus/$(echo "$file" | tr '/' '_')"
      done ;;
    fuzz_level_file) cp build*/game/data/level/*.lvl "$corpus"/ 2>/dev/null || true ;;
    fuzz_page_script) cp "$build"/game/data/order/scriptorder*.txt "$corpus"/ ;;
    fuzz_score_file) cp build*/game/score*.orb "$corpus"/ 2>/dev/null || true ;;
    fuzz_module_file) cp "$build"/game/data/sfx/*.zik "$corpus"/ ;;
    fuzz_sample_file) cp "$build"/game/data/sfx/*.wav "$corpus"/ ;;
    fuzz_level_source) cp levels/*.txt "$corpus"/ ;;
    fuzz_music_score) cp music/*.txt "$corpus"/ ;;
  esac
  echo "== $name: ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
      -rss_limit_mb=4096 "$corpus" 2>"$corpus/log.txt"; then
    echo "!! $name failed:"; tail -n 60 "$corpus/log.txt"; status=1
  else
    grep -E 'stat::number_of_executed_units|Done' "$corpus/log.txt" | tail -n 2
  fi
  rm -rf "$corpus"
done
exit $status
