#!/usr/bin/env bash
# Builds the Debian package of this build tree with cpack and checks it: the
# files and the dependencies it declares, and no lintian error or warning.
#   check-deb.sh BUILD_DIR [KEEP_DIR]
# KEEP_DIR keeps the package and the reports there instead of a temporary directory.
set -euo pipefail

build=$1
out=${2:-$(mktemp -d)}
[ $# -ge 2 ] || trap 'rm -rf "$out"' EXIT
mkdir -p "$out"

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || {
  cat "$out/cpack.log" >&2
  exit 1
}
deb=$(ls "$out"/glyphox_*.deb)
echo "package: $deb"

dpkg-deb --info "$deb" >"$out/info.txt"
dpkg-deb --contents "$deb" >"$out/contents.txt"
cat "$out/info.txt"
grep -v '/share/games/glyphox/data/.' "$out/contents.txt"
echo "... and $(grep -c '/share/games/glyphox/data/.' "$out/contents.txt") entries below /usr/share/games/glyphox/data/"

depends=$(sed -n 's/^ Depends: //p' "$out/info.txt")
# Computed from the libraries the game links, plus the fonts it links to.
for package in libc6 libsdl1.2debian libgl1 fonts-dejavu-core; do
  [[ ",$depends," == *", $package"* || ",$depends," == *",$package"* ]] || fail "Depends lacks $package: $depends"
done

for path in ./usr/games/glyphox ./usr/libexec/glyphox/glyphox \
  ./usr/share/games/glyphox/config.ini ./usr/share/games/glyphox/game.ini ./usr/share/games/glyphox/data/font.ini \
  ./usr/share/applications/org.glyphox.Glyphox.desktop ./usr/share/metainfo/org.glyphox.Glyphox.metainfo.xml \
  ./usr/share/icons/hicolor/48x48/apps/org.glyphox.Glyphox.png ./usr/share/icons/hicolor/256x256/apps/org.glyphox.Glyphox.png \
  ./usr/share/man/man6/glyphox.6.gz ./usr/share/doc/glyphox/copyright ./usr/share/doc/glyphox/changelog.gz; do
  grep -q " $path\$" "$out/contents.txt" || fail "missing $path"
done
grep -q ' ./usr/share/games/glyphox/data/DejaVuSans.ttf -> ../../../fonts/truetype/dejavu/DejaVuSans.ttf$' "$out/contents.txt" \
  || fail "the fonts are not relative links to fonts-dejavu-core"
if grep -q ' ./usr/local/\| ./usr/bin/' "$out/contents.txt"; then fail "files outside the Debian layout"; fi

lintian --info "$deb" >"$out/lintian.txt" 2>&1 || true
echo "lintian:"
grep -v '^N:' "$out/lintian.txt" | grep -v 'running with root privileges' || true
if grep -q '^[EW]:' "$out/lintian.txt"; then fail "lintian reports errors or warnings"; fi

[ "$failures" -eq 0 ] || exit 1
echo "package checks passed"
