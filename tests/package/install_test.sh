#!/usr/bin/env bash
# The game installed into a temporary prefix and unpacked from its Debian
# package, each run from an unrelated folder: both find their data and play
# the same game as the build tree; the desktop entry and the AppStream data
# pass Debian's validators.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Only the install's own places may hold the data.
export HOME="$work/home" XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/none" XDG_CONFIG_HOME="$work/config"
unset TWINWORLDS_DATA TWINWORLDS_FONT
# No system font: the game draws from its own glyph sheet.
mkdir "$work/nofont"
export TWINWORLDS_FONT_DIR="$work/nofont"
printf 'twinworlds-input 1\n3 RETURN\n6 RIGHT\n30 RIGHT Z\n45 LEFT\n60\n' > "$work/keys.txt"
play() {  # EXE STATE_FILE, from /
  (cd / && "$1" --headless --input "$work/keys.txt" --frames 90 --dump-state "$2")
}
(cd "$build/game" && "$build/twinworlds" --headless --input "$work/keys.txt" --frames 90 --dump-state "$work/tree.json")

cmake --install "$build" --prefix "$work/prefix" > /dev/null
play "$work/prefix/bin/twinworlds" "$work/installed.json"
cmp "$work/tree.json" "$work/installed.json"
desktop-file-validate "$work/prefix/share/applications/twinworlds.desktop"
# The id is the plain name the desktop file has, not a reversed domain.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
  "$work/prefix/share/metainfo/twinworlds.metainfo.xml" > /dev/null
for size in 32 64 128 256; do test -s "$work/prefix/share/icons/hicolor/${size}x${size}/apps/twinworlds.png"; done
test -s "$work/prefix/share/man/man6/twinworlds.6"

# The pause menu's text in each language: drawn from the glyph sheet alone as
# the whole of Unifont draws it, and not left out.
printf 'twinworlds-input 1\n3 RETURN\n6\n30 ESCAPE\n31\n' > "$work/pause.txt"
for lang in ja en; do
  shot() { (cd / && env "$@" "$work/prefix/bin/twinworlds" --headless --lang $lang --input "$work/pause.txt" \
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

(cd "$build" && cpack -G DEB -B "$work/package" > "$work/cpack.log")
deb=$(ls "$work"/package/twinworlds_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends != *unifont* ]] || { echo "Depends names unifont: $depends"; exit 1; }
for p in libsdl2 libfluidsynth timgm6mb-soundfont; do
  [[ $depends == *"$p"* ]] || { echo "Depends lacks $p: $depends"; exit 1; }
done
dpkg-deb -x "$deb" "$work/root"
[ "$(cd / && "$work/root/usr/bin/twinworlds" --version)" = "twinworlds $(dpkg-deb -f "$deb" Version)" ]
play "$work/root/usr/bin/twinworlds" "$work/unpacked.json"
cmp "$work/tree.json" "$work/unpacked.json"
echo "install and package: ok"
