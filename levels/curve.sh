#!/bin/sh
# The difficulty curve of the shipped sets, made by the tools: the solver's
# par, lower bound and branching and the shuffle's length for every level at
# the default difficulty with seed 1 (levels/curve.tsv), its plot
# (levels/curve.png) and the levels whose par falls within their group of
# four (levels/curve-falls.txt).
#   levels/curve.sh [BUILD-DIR]        (default: build)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
tool="$build/tools/level/glyphox-level"
data="$build/game/data/level"
"$tool" curve "$data/french.lvl" "$data/english.lvl" "$data/spanish.lvl" "$data/german.lvl" --seed 1 --symmetric HINOSXZ \
  > "$here/curve.tsv"
"$here/plot_curve.py" "$here/curve.tsv" "$here/curve.png" > "$here/curve-falls.txt"
