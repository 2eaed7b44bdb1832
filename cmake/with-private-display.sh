#!/bin/sh
# Runs a command on a private virtual X server of its own (free display number
# chosen by the server, so parallel build steps never collide).
#   with-private-display.sh COMMAND [ARGS...]
set -e
fifo_dir=$(mktemp -d)
exec 3>"$fifo_dir/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; rm -rf "$fifo_dir"' EXIT
tries=0
while [ ! -s "$fifo_dir/display" ]; do
  tries=$((tries + 1))
  if [ $tries -gt 100 ] || ! kill -0 $server 2>/dev/null; then
    echo "with-private-display.sh: Xvfb did not start" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$fifo_dir/display")
export DISPLAY
SDL_VIDEODRIVER=x11
export SDL_VIDEODRIVER
# In sanitizer and fuzz builds the tools that draw the game's pictures end
# with leaks inside libX11 and Mesa's driver, which may be unloaded and
# unnamed by then; leaks are the tests' business, not a build step's.
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export ASAN_OPTIONS
"$@"
