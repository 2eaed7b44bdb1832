#!/usr/bin/env bash
# Lists the mutable objects with static storage in the game's libraries and
# counts them: data and bss symbols of build/<folder>/libglyphox_*.a for the
# game's folders (not the tools' or the tests'), without the constant tables
# named k..., type information, virtual tables and guard variables.
#   scripts/count-globals.sh [BUILD_DIR] [--max N]
# With --max, the exit status is 1 when the count is above N.
set -euo pipefail
build=build
max=
while [ $# -gt 0 ]; do
  case "$1" in
    --max) max=$2; shift 2 ;;
    *) build=$1; shift ;;
  esac
done
folders="base config engine3d audio puzzle text platform render pages intro ui app"

list=$(for folder in $folders; do
  for library in "$build/$folder"/libglyphox_*.a; do
    [ -f "$library" ] || continue
    nm -C "$library" 2>/dev/null | awk -v lib="$(basename "$library" .a)" \
      '$2 ~ /^[bBdD]$/ { $1 = ""; $2 = ""; sub(/^  /, ""); print lib ": " $0 }'
  done
done | grep -v -E 'typeinfo|vtable|guard variable' | grep -v -E '(^[a-z_]+: |::)k[A-Z]' | sort -u)

printf '%s\n' "$list" | sed '/^$/d'
count=$(printf '%s\n' "$list" | sed '/^$/d' | wc -l)
echo "mutable objects with static storage: $count"
if [ -n "$max" ] && [ "$count" -gt "$max" ]; then
  echo "more than $max" >&2
  exit 1
fi
