#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in a window.
# Arguments replace -windowed (pass nothing else for full screen: "-").
set -euo pipefail
cd "$(dirname "$0")/.."
# Only what building and playing need: no test tools, and no test build.
scripts/install-deps.sh play
scripts/build.sh build -DGLYPHOX_TESTS=OFF
cd build/game
if [ "${1:-}" = "-" ]; then exec ./glyphox; fi
exec ./glyphox "${@:--windowed}"
