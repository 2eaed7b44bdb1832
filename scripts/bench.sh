#!/usr/bin/env bash
# The performance figures of the game on a private Xvfb at 1024 x 768, in a
# copy of the build's game directory, with the mirror and real shadows on:
#   - glyphox -timedemo of levels 51, 53 and 57 (one level of each theme);
#   - glyphox-view --bench of level 51 in each theme, and of the 30 x 30
#     stress board (build/bench/stress.lvl, built with the tests);
#   - the processor time the game takes idle: SECONDS on the main menu
#     (a highlight move now and then keeps the demonstration away), then
#     SECONDS untouched (the demonstration starts after ten).
# Every figure is printed, none is checked: the machine may be busy.
#
#   scripts/bench.sh [BUILD_DIR] [--frames N] [--seconds S] [--only timedemo|view|idle]
set -euo pipefail
build=build frames=300 seconds=20 only=""
while [ $# -gt 0 ]; do
  case "$1" in
    --frames) frames=$2; shift 2 ;;
    --seconds) seconds=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    *) build=$1; shift ;;
  esac
done
build=$(cd "$build" && pwd)
for tool in Xvfb xdotool; do
  command -v $tool >/dev/null || { echo "bench.sh: needs $tool" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb="" game=""
cleanup() {
  if [ -n "$game" ]; then kill "$game" 2>/dev/null || true; wait "$game" 2>/dev/null || true; fi
  if [ -n "$xvfb" ]; then kill "$xvfb" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

cp -rL "$build/game" "$work/game"
sed -i -e 's/^Sound=.*/Sound=0/' -e 's/^Music=.*/Music=0/' -e 's/^Width=.*/Width=1024/' -e 's/^Height=.*/Height=768/' \
  -e 's/^Reflect=.*/Reflect=1/' -e 's/^Shadow=.*/Shadow=2/' "$work/game/config.ini"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display") SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
cd "$work/game"

if [ -z "$only" ] || [ "$only" = timedemo ]; then
  for level in 51 53 57; do
    echo "== glyphox -timedemo $level $frames"
    ./glyphox -windowed -timedemo "$level" "$frames" 2>/dev/null | grep -v -e '^---' -e mode
  done
fi

if [ -z "$only" ] || [ "$only" = view ]; then
  view=$build/tools/view/glyphox-view
  for theme in 1 2 3; do
    echo "== glyphox-view english.lvl 51 --theme $theme"
    "$view" data/level/english.lvl 50 "$work/view.bmp" --theme "$theme" --reflect 1 --shadow 2 --size 1024x768 \
      --bench 10
  done
  if [ -f "$build/bench/stress.lvl" ]; then
    echo "== glyphox-view stress.lvl (30 x 30, 150 cubes)"
    "$view" "$build/bench/stress.lvl" 0 "$work/view.bmp" --theme 1 --reflect 1 --shadow 2 --size 1024x768 \
      --bench 10
  fi
fi

if [ -z "$only" ] || [ "$only" = idle ]; then
  echo "== processor time idle"
  ./glyphox -windowed >stdout.txt 2>stderr.txt &
  game=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name Glyphox | head -n 1)
  xdotool mousemove --window "$window" 5 5
  sleep 1
  xdotool key shift  # skips the opening emblem
  sleep 4            # the fade into the menu
  # User and system ticks of the game's process (fields 14 and 15).
  ticks() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
  share() { awk -v t="$1" -v s="$2" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.0f%%", 100 * t / hz / s }'; }
  start=$(ticks)
  for _ in $(seq $(( seconds / 4 ))); do
    xdotool key Down; sleep 0.2; xdotool key Up; sleep 3.8
  done
  menu=$(( $(ticks) - start ))
  echo "main menu, $(( seconds / 4 * 4 )) s: $(share $menu $(( seconds / 4 * 4 ))) of one core"
  start=$(ticks)
  sleep "$seconds"
  untouched=$(( $(ticks) - start ))
  grep -q '^Demonstration of level' stdout.txt && started=yes || started=no
  echo "untouched on the main menu, $seconds s (demonstration started: $started): $(share $untouched "$seconds") of one core"
fi
