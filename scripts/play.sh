#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in a window.
# Arguments replace -windowed (pass nothing else for full screen: "-").
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
cd build/game
if [ "${1:-}" = "-" ]; then exec ./glyphox; fi
exec ./glyphox "${@:--windowed}"
