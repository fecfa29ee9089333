#!/usr/bin/env bash
# The game installed into a temporary prefix and unpacked from its Debian
# package, each run from an unrelated folder (/, and one with a stray empty
# Image/): both find their data and play the same game as the build tree,
# with no font installed. The package passes lintian, the desktop entry and
# the AppStream data Debian's validators, the tree `reuse lint`; a second
# build folder makes the same package, byte for byte. A text the glyph sheet
# cannot hold fails the asset build.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Only the install's own places may hold the data.
export HOME="$work/home" XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/none" XDG_CONFIG_HOME="$work/config"
unset TWINWORLDS_DATA TWINWORLDS_FONT
# No system font: the game draws from its own glyph sheet.
mkdir "$work/nofont"
export TWINWORLDS_FONT_DIR="$work/nofont"
printf 'twinworlds-input 1\n3 RETURN\n6 RIGHT\n30 RIGHT Z\n45 LEFT\n60\n' > "$work/keys.txt"
play() {  # EXE STATE_FILE [FOLDER]: the game played from FOLDER (default /)
  (cd "${3:-/}" && "$1" --headless --input "$work/keys.txt" --frames 90 --dump-state "$2")
}
(cd "$build/game" && "$build/twinworlds" --headless --input "$work/keys.txt" --frames 90 --dump-state "$work/tree.json")

cmake --install "$build" --prefix "$work/prefix" > /dev/null
play "$work/prefix/games/twinworlds" "$work/installed.json"
cmp "$work/tree.json" "$work/installed.json"
desktop-file-validate "$work/prefix/share/applications/io.github.twinworlds.twinworlds.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/io.github.twinworlds.twinworlds.metainfo.xml" > /dev/null
for size in 32 64 128 256; do test -s "$work/prefix/share/icons/hicolor/${size}x${size}/apps/twinworlds.png"; done
"$work/prefix/games/twinworlds-map" --help | grep -q "^usage: twinworlds-map"
[ "$("$work/prefix/games/twinworlds-map" --version)" = "$("$work/prefix/games/twinworlds" --version | sed s/twinworlds/twinworlds-map/)" ]

# The pause menu's text in each language: drawn from the glyph sheet alone as
# the whole of Unifont draws it, and not left out.
printf 'twinworlds-input 1\n3 RETURN\n6\n30 ESCAPE\n31\n' > "$work/pause.txt"
for lang in ja en; do
  shot() { (cd / && env "$@" "$work/prefix/games/twinworlds" --headless --lang $lang --input "$work/pause.txt" \
            --frames 40 --screenshot "$work/shot.png" 2>/dev/null) && cat "$work/shot.png"; }
  shot > "$work/sheet.png"
  shot TWINWORLDS_FONT=/usr/share/unifont/unifont_jp.hex > "$work/unifont.png"
  shot TWINWORLDS_FONT="$work/nofont/none.hex" > "$work/blank.png"
  cmp "$work/sheet.png" "$work/unifont.png"
  if cmp -s "$work/sheet.png" "$work/blank.png"; then echo "no text drawn ($lang)"; exit 1; fi
done
# A text the glyph sheet cannot hold fails the asset build, naming its place.
printf '// 竜🐉 in a comment is no text\nconst char* Roar = "竜🐉";\n' > "$work/roar.cpp"
if "$build/twinworlds-assets" --glyph-sheet /usr/share/unifont/unifont_jp.hex "$work/sheet" "$work/roar.cpp" \
     2> "$work/sheet.log"; then
  echo "a text with U+1F409 made a glyph sheet"; exit 1
fi
grep -q "roar.cpp:2: U+1F409" "$work/sheet.log"

# The package, made from this build folder and from a second one beside it
# (configured alike, its compiler launcher too, without the tests; ccache
# has its objects already): the same bytes.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$source" log -1 --format=%ct 2>/dev/null || echo 1733616000)}
# Whatever cpack builds compiles as scripts/build.sh compiles.
export CCACHE_BASEDIR="$source" CCACHE_NOHASHDIR=1
twin="$build-twin"
if [ ! -f "$twin/CMakeCache.txt" ]; then
  settings=()
  for v in CMAKE_BUILD_TYPE CMAKE_INSTALL_PREFIX CMAKE_C_COMPILER_LAUNCHER CMAKE_CXX_COMPILER_LAUNCHER \
           TWINWORLDS_INSTALL_BINDIR TWINWORLDS_INSTALL_DATADIR TWINWORLDS_PACKAGE_MAINTAINER; do
    value=$(sed -n "s/^$v:[A-Z]*=//p" "$build/CMakeCache.txt")
    [ -z "$value" ] || settings+=("-D$v=$value")
  done
  cmake -S "$source" -B "$twin" -DTWINWORLDS_TESTS=OFF "${settings[@]}" > /dev/null
fi
cmake --build "$twin" -j "$(nproc)" > "$work/twin.log"
(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log")
(cd "$twin" && cpack -G DEB -B "$work/package-twin" > "$work/cpack-twin.log")
deb=$(ls "$work"/package/twinworlds_*.deb)
cmp "$deb" "$work/package-twin/${deb##*/}"

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends != *unifont* ]] || { echo "Depends names unifont: $depends"; exit 1; }
for p in libsdl2 libfluidsynth "timgm6mb-soundfont | sf2-soundfont-gm"; do
  [[ $depends == *"$p"* ]] || { echo "Depends lacks $p: $depends"; exit 1; }
done
lintian --pedantic --info "$deb" > "$work/lintian.log" 2>&1 || true
if grep -E '^[EW]: ' "$work/lintian.log"; then echo "lintian has errors or warnings"; exit 1; fi
reuse --root "$source" lint > "$work/reuse.log" || { cat "$work/reuse.log"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
exe="$work/root/usr/games/twinworlds"
for f in "$exe" "$work/root/usr/games/twinworlds-map"; do
  if readelf -S "$f" | grep -qE '\.symtab|\.debug_'; then echo "not stripped: $f"; exit 1; fi
done
[ "$(cd / && "$exe" --version)" = "twinworlds $(dpkg-deb -f "$deb" Version)" ]
play "$exe" "$work/unpacked.json"
cmp "$work/tree.json" "$work/unpacked.json"
# A folder that merely has an image folder is not the game's data.
mkdir -p "$work/stray/Image"
play "$exe" "$work/stray.json" "$work/stray"
cmp "$work/tree.json" "$work/stray.json"
echo "install and package: ok"
