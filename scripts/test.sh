#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole suite: the normal
# build, the AddressSanitizer and UndefinedBehaviorSanitizer build, and a
# short libFuzzer run of every fuzz target.
#   scripts/test.sh            everything
#   scripts/test.sh quick      the normal build only
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh all

jobs=$(nproc)
step() { echo; echo "=== $* ($(date +%H:%M:%S))"; }

step "Normal build and tests"
scripts/build.sh build -DGLYPHOX_TESTS=ON
(cd build && ctest --output-on-failure -j"$jobs")

[ "${1:-}" = "quick" ] && exit 0

step "Sanitizer build and tests"
scripts/build.sh build-asan -DGLYPHOX_SANITIZE=ON -DGLYPHOX_TESTS=ON
(cd build-asan && ctest --output-on-failure -j"$jobs")

step "Fuzz smoke runs"
scripts/fuzz-smoke.sh "${GLYPHOX_FUZZ_SECONDS:-45}"

step "All tests passed"
