// The default font of every device context: GNU Unifont's Japanese glyphs,
// 16 pixels high, 8 wide for half-width characters and 16 for full-width.
#pragma once

#include <cstdint>

constexpr int GlyphHeight = 16;

struct Glyph {
  uint8_t width;      // 8 or 16
  uint8_t rows[32];   // 16 rows of width/8 bytes, most significant bit left
};

// Null when the character has no glyph or no font could be loaded.
const Glyph* FindGlyph(char32_t ch);
bool FontAvailable();
inline bool GlyphPixel(const Glyph& g, int x, int y) {
  const int bytesPerRow = g.width / 8;
  return (g.rows[y * bytesPerRow + x / 8] >> (7 - x % 8)) & 1;
}
