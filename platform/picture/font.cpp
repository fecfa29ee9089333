// Loads the font the first time text is drawn, so that start-up stays quick.
#include "platform/picture/font.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <vector>

namespace {

constexpr int CodePoints = 0x10000;

struct FontTable {
  bool tried = false;
  bool loaded = false;
  // The rest of code page 932 (names.hex beside the glyph sheet), looked
  // for at the first character the sheet lacks: only a pack's name or
  // author needs it, so a start never reads it.
  std::string more;
  bool moreTried = false;
  std::unique_ptr<int32_t[]> index;  // code point -> glyph number, -1 none
  std::vector<Glyph> glyphs;
};

FontTable Font;
std::string Sheet;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Lines of "XXXX:" and 32 or 64 hex digits of glyph rows. With `more`,
// added to the glyphs loaded, which keep their own.
bool LoadHexFont(const char* path, bool more = false) {
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  if (!more) {
    Font.index.reset(new int32_t[CodePoints]);
    std::fill(Font.index.get(), Font.index.get() + CodePoints, -1);
    Font.glyphs.clear();
  }
  char line[256];
  while (std::fgets(line, sizeof line, f)) {
    char* colon = std::strchr(line, ':');
    if (!colon) continue;
    long cp = std::strtol(line, nullptr, 16);
    if (cp < 0 || cp >= CodePoints || (more && Font.index[cp] >= 0)) continue;
    const char* hex = colon + 1;
    size_t n = 0;
    while (HexValue(hex[n]) >= 0) n++;
    if (n != 32 && n != 64) continue;
    Glyph g{};
    g.width = n == 32 ? 8 : 16;
    for (size_t i = 0; i < n / 2; i++) g.rows[i] = static_cast<uint8_t>(HexValue(hex[2 * i]) * 16 + HexValue(hex[2 * i + 1]));
    Font.index[cp] = static_cast<int32_t>(Font.glyphs.size());
    Font.glyphs.push_back(g);
  }
  std::fclose(f);
  return !Font.glyphs.empty();
}

void EnsureFont() {
  if (Font.tried) return;
  Font.tried = true;
  Font.loaded = false;
  Font.more.clear();
  Font.moreTried = false;
  std::vector<std::string> candidates;
  if (const char* custom = std::getenv("TWINWORLDS_FONT"); custom && *custom) {
    candidates.push_back(custom);  // a font asked for by name is the only one tried
  } else {
    if (!Sheet.empty()) candidates.push_back(Sheet);
    const char* dir = std::getenv("TWINWORLDS_FONT_DIR");
    const std::string folder = dir && *dir ? dir : "/usr/share/unifont";
    candidates.push_back(folder + "/unifont_jp.hex");
    candidates.push_back(folder + "/unifont.hex");
  }
  for (const std::string& path : candidates) {
    if (LoadHexFont(path.c_str())) {
      Font.loaded = true;
      if (path == Sheet && Sheet.find('/') != std::string::npos) Font.more = Sheet.substr(0, Sheet.rfind('/')) + "/names.hex";
      else if (path == Sheet) Font.more = "names.hex";
      return;
    }
  }
  Font.index.reset();
  Font.glyphs.clear();
  std::fprintf(stderr, "twinworlds: no glyphs found (font/glyphs.hex in the game data, or $TWINWORLDS_FONT); "
                       "text is not drawn\n");
}

}  // namespace

void SetGlyphSheet(const std::string& path) {
  if (path == Sheet && Font.tried) return;
  Sheet = path;
  Font.tried = false;
}

bool FontAvailable() {
  EnsureFont();
  return Font.loaded;
}

const Glyph* FindGlyph(char32_t ch) {
  EnsureFont();
  if (!Font.loaded || ch >= CodePoints) return nullptr;
  if (Font.index[ch] < 0 && !Font.moreTried) {
    Font.moreTried = true;
    if (!Font.more.empty()) LoadHexFont(Font.more.c_str(), true);
  }
  int32_t i = Font.index[ch];
  return i < 0 ? nullptr : &Font.glyphs[i];
}
