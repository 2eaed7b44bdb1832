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
cmake --build "$build" --target fuzz_all game_tree -j"${GLYPHOX_BUILD_JOBS:-$(nproc)}"

targets=$(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'fuzz_*' -perm -u+x | sort)
status=0
for target in $targets; do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  scripts/fuzz-seeds.sh "$name" "$build" "$corpus"
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
