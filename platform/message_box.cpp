// The game's message box drawn over its own picture with the game's own
// font, so that its Japanese reads the same whatever the locale and the
// fonts of the window system.
#include <algorithm>
#include <string>

#include "platform/font.h"
#include "platform/internal.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu, kBlack = 0xFF000000u, kTitle = 0xFF203870u, kButton = 0xFFD8D8D8u;

// UTF-8 to code points; a byte that does not start a character is skipped.
std::u32string DecodeUtf8(const char* text) {
  std::u32string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text ? text : "");
  while (*s) {
    int extra = *s >= 0xF0 ? 3 : *s >= 0xE0 ? 2 : *s >= 0xC0 ? 1 : 0;
    char32_t c = extra ? *s & (0x3F >> extra) : *s;
    if (*s >= 0x80 && *s < 0xC0) {
      s++;
      continue;
    }
    s++;
    for (; extra > 0 && (*s & 0xC0) == 0x80; extra--, s++) c = c << 6 | (*s & 0x3F);
    if (extra == 0) out.push_back(c);
  }
  return out;
}

int TextWidth(const std::u32string& text) {
  int w = 0;
  for (char32_t c : text)
    if (const Glyph* g = FindGlyph(c)) w += g->width;
  return w;
}

void Fill(uint32_t* argb, int x, int y, int w, int h, uint32_t colour) {
  for (int row = std::max(0, y); row < std::min(kScreenHeight, y + h); row++)
    for (int col = std::max(0, x); col < std::min(kScreenWidth, x + w); col++) argb[row * kScreenWidth + col] = colour;
}

void DrawText(uint32_t* argb, int x, int y, const std::u32string& text, uint32_t colour) {
  for (char32_t c : text) {
    const Glyph* g = FindGlyph(c);
    if (!g) continue;
    for (int gy = 0; gy < kGlyphHeight; gy++)
      for (int gx = 0; gx < g->width; gx++)
        if (GlyphPixel(*g, gx, gy) && x + gx >= 0 && x + gx < kScreenWidth && y + gy >= 0 && y + gy < kScreenHeight)
          argb[(y + gy) * kScreenWidth + x + gx] = colour;
    x += g->width;
  }
}

}  // namespace

void DrawMessageBox(const char* utf8Caption, const char* utf8Text, uint32_t* argb, MessageBoxButton* button) {
  // The picture shown so far, darkened, stays behind the box.
  const std::vector<uint8_t> rgb = ShownPictureRgb();
  for (int i = 0; i < kScreenWidth * kScreenHeight; i++)
    argb[i] = 0xFF000000u | (rgb[i * 3] / 3) << 16 | (rgb[i * 3 + 1] / 3) << 8 | rgb[i * 3 + 2] / 3;
  const std::u32string caption = DecodeUtf8(utf8Caption), text = DecodeUtf8(utf8Text), ok = U"OK";
  const int w = std::clamp(std::max(TextWidth(text), TextWidth(caption)) + 64, 240, kScreenWidth - 16);
  const int h = 136, x = (kScreenWidth - w) / 2, y = (kScreenHeight - h) / 2;
  Fill(argb, x - 2, y - 2, w + 4, h + 4, kBlack);
  Fill(argb, x, y, w, h, kWhite);
  Fill(argb, x, y, w, 24, kTitle);
  DrawText(argb, x + 8, y + 4, caption, kWhite);
  DrawText(argb, x + (w - TextWidth(text)) / 2, y + 52, text, kBlack);
  *button = {kScreenWidth / 2 - 40, y + h - 40, 80, 28};
  Fill(argb, button->x - 1, button->y - 1, button->w + 2, button->h + 2, kBlack);
  Fill(argb, button->x, button->y, button->w, button->h, kButton);
  DrawText(argb, button->x + (button->w - TextWidth(ok)) / 2, button->y + 6, ok, kBlack);
}
