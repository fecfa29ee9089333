// The default font of every device context: GNU Unifont's glyphs, 16 pixels
// high, 8 wide for half-width characters and 16 for full-width. The game
// draws from its own glyph sheet (font/glyphs.hex in the data folder, cut
// by the asset builder), so no font need be installed to play.
#pragma once

#include <cstdint>
#include <string>

constexpr int GlyphHeight = 16;

struct Glyph {
  uint8_t width;      // 8 or 16
  uint8_t rows[32];   // 16 rows of width/8 bytes, most significant bit left
};

// The glyphs are looked for in: $TWINWORLDS_FONT alone when set (a .hex
// file); else the glyph sheet named here; else unifont_jp.hex and
// unifont.hex in $TWINWORLDS_FONT_DIR (default /usr/share/unifont). Beside
// the glyph sheet, names.hex holds the rest of code page 932, read at the
// first character the sheet lacks. Naming another sheet loads the glyphs
// again at the next use.
void SetGlyphSheet(const std::string& path);
// Null when the character has no glyph or no font could be loaded.
const Glyph* FindGlyph(char32_t ch);
bool FontAvailable();
inline bool GlyphPixel(const Glyph& g, int x, int y) {
  const int bytesPerRow = g.width / 8;
  return (g.rows[y * bytesPerRow + x / 8] >> (7 - x % 8)) & 1;
}
