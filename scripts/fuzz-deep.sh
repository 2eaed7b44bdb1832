#!/usr/bin/env bash
# The long fuzz run beside CI's smoke run: every target for a while (ten
# minutes by default) from its seeds, with a dictionary of its format's
# words, into a corpus kept between runs outside the repository. Prints per
# target the executions, the coverage, and every finding with its reproducer.
#   scripts/fuzz-deep.sh [seconds per target, default 600] [target...]
# Environment: GLYPHOX_FUZZ_HOME (default ~/.cache/glyphox-fuzz) holds the
# merged corpora and the findings; GLYPHOX_FUZZ_JOBS runs that many targets
# at once (default 1); GLYPHOX_BUILD_JOBS builds with that many jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
build=build-fuzz
home=${GLYPHOX_FUZZ_HOME:-$HOME/.cache/glyphox-fuzz}
jobs=${GLYPHOX_FUZZ_JOBS:-1}
mkdir -p "$home"

cmake -S . -B "$build" -DGLYPHOX_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzz_all game_tree -j"${GLYPHOX_BUILD_JOBS:-$(nproc)}" >/dev/null

# A dictionary line per word, every byte written as \xNN; words for files
# held as UTF-16 (language files, page scripts) are encoded so first.
dict_words() {
  local encoding=$1
  sort -u | while IFS= read -r word; do
    [ -n "$word" ] || continue
    printf '"%s"\n' "$(printf '%s' "$word" | iconv -f UTF-8 -t "$encoding" | od -An -v -tx1 | tr -d ' \n' |
      sed 's/../\\x&/g')"
  done
}

# The words of each format, taken from the files the game itself reads and
# writes so that they follow the formats as they change.
make_dictionary() {
  local name=$1 game=$build/game
  case $name in
    fuzz_config_file) sed -n 's/=.*//p' "$game"/config.ini defaults/*.ini | sed 's/$/=/' | dict_words UTF-8 ;;
    fuzz_theme_ini) cat "$game"/data/gfx/theme*/theme.ini | sed -n 's/=.*//p' | sed 's/$/=/' | dict_words UTF-8 ;;
    fuzz_ini_profile) { sed -n 's/=.*//p; s/^\(\[.*\]\).*/\1/p' "$game"/data/font.ini "$game"/game.ini; } | dict_words UTF-8 ;;
    fuzz_language_file) { sed -n 's/=.*//p' lang/text_en.txt | sed 's/$/=/'; printf '\r\n\n'; } | dict_words UTF-16LE ;;
    fuzz_level_source) { awk 'NF {print $1}' levels/[a-z]*.txt | grep -v '^[#.;]' | sort -u; printf '%s\n' '#' . ';' h v; } | dict_words UTF-8 ;;
    fuzz_music_score) awk 'NF && $1 !~ /^#/ {print $1}' music/*.txt | dict_words UTF-8 ;;
    fuzz_page_script)
      { grep -ohE '[A-Z]{4,}' order/*.txt; printf '%s\n' '{' '}' '=' '(' ')' '"' COMPOSITION FONTES BITMAPS END; } |
        dict_words UTF-16LE ;;
    fuzz_module_file) printf '%s\n' M.K. 'M!K!' FLT4 4CHN 6CHN 8CHN | dict_words UTF-8 ;;
    fuzz_sample_file) printf '%s\n' RIFF WAVE 'fmt ' data LIST fact | dict_words UTF-8 ;;
    fuzz_texture_image) printf '%s\n' IHDR PLTE IDAT IEND tRNS gAMA | dict_words UTF-8 ;;
    *) ;;
  esac
}

run_target() {
  local target=$1 name work corpus findings log
  name=$(basename "$target")
  work=$home/$name
  corpus=$work/corpus
  findings=$work/findings
  log=$work/log.txt
  mkdir -p "$corpus" "$findings"
  local seeds
  seeds=$(mktemp -d)
  scripts/fuzz-seeds.sh "$name" "$build" "$seeds"
  make_dictionary "$name" >"$work/dictionary.txt"
  local dict=()
  [ -s "$work/dictionary.txt" ] && dict=(-dict="$work/dictionary.txt")
  local status=0
  # New inputs go into the kept corpus; findings are named after the target.
  "$target" "$corpus" "$seeds" "${dict[@]}" -max_total_time="$seconds" -print_final_stats=1 -max_len=65536 \
    -rss_limit_mb=4096 -timeout=30 -artifact_prefix="$findings/" >"$log" 2>&1 || status=$?
  # The corpus merged down to the inputs that add coverage.
  local merged
  merged=$(mktemp -d)
  "$target" -merge=1 "$merged" "$corpus" "$seeds" >/dev/null 2>&1 || true
  rm -rf "$corpus" && mv "$merged" "$corpus"
  rm -rf "$seeds"
  local execs cov features found
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  cov=$(grep -oE 'cov: [0-9]+' "$log" | tail -n 1 | cut -d' ' -f2)
  features=$(grep -oE 'ft: [0-9]+' "$log" | tail -n 1 | cut -d' ' -f2)
  found=$(find "$findings" -type f -newer "$work/dictionary.txt" | sort)
  printf '%-20s %12s %8s %9s %6s %s\n' "$name" "${execs:-?}" "${cov:-?}" "${features:-?}" \
    "$(echo "$found" | grep -c . || true)" "$([ "$status" = 0 ] && echo clean || echo "FAILED ($status)")"
  for f in $found; do
    echo "   finding: $f"
    echo "   reproduce: $target $f"
    grep -m 3 -E 'ERROR|runtime error|SUMMARY' "$log" | sed 's/^/   /' || true
  done
  [ "$status" = 0 ] && [ -z "$found" ]
}

targets=()
if [ $# -gt 0 ]; then
  for t in "$@"; do targets+=("$build/tests/fuzz/$t"); done
else
  mapfile -t targets < <(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
fi
echo "${#targets[@]} targets, ${seconds}s each, $jobs at a time; corpora and findings in $home"
printf '%-20s %12s %8s %9s %6s %s\n' target executions coverage features finds result
export -f run_target make_dictionary dict_words
export build home seconds
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target "$1"' _ {} && exit 0
exit 1
