// The game's message box drawn over its own picture with the game's own
// font, so that its Japanese reads the same whatever the locale and the
// fonts of the window system.
#include <algorithm>
#include <string>

#include "platform/picture/font.h"
#include "platform/picture/message_box.h"
#include "platform/picture/shown_picture.h"
#include "platform/picture/text_encoding.h"

namespace {

constexpr uint32_t White = 0xFFFFFFFFu, Black = 0xFF000000u, Title = 0xFF203870u, Button = 0xFFD8D8D8u;

int TextWidth(const std::u32string& text) {
  int w = 0;
  for (char32_t c : text)
    if (const Glyph* g = FindGlyph(c)) w += g->width;
  return w;
}

void Fill(uint32_t* argb, int x, int y, int w, int h, uint32_t colour) {
  for (int row = std::max(0, y); row < std::min(ScreenHeight, y + h); row++)
    for (int col = std::max(0, x); col < std::min(ScreenWidth, x + w); col++) argb[row * ScreenWidth + col] = colour;
}

void DrawText(uint32_t* argb, int x, int y, const std::u32string& text, uint32_t colour) {
  for (char32_t c : text) {
    const Glyph* g = FindGlyph(c);
    if (!g) continue;
    for (int gy = 0; gy < GlyphHeight; gy++)
      for (int gx = 0; gx < g->width; gx++)
        if (GlyphPixel(*g, gx, gy) && x + gx >= 0 && x + gx < ScreenWidth && y + gy >= 0 && y + gy < ScreenHeight)
          argb[(y + gy) * ScreenWidth + x + gx] = colour;
    x += g->width;
  }
}

}  // namespace

void DrawMessageBox(const char* utf8Caption, const char* utf8Text, uint32_t* argb, MessageBoxButton* button) {
  // The picture shown so far, darkened, stays behind the box.
  const std::vector<uint8_t> rgb = ShownPictureRgb();
  for (int i = 0; i < ScreenWidth * ScreenHeight; i++)
    argb[i] = 0xFF000000u | (rgb[i * 3] / 3) << 16 | (rgb[i * 3 + 1] / 3) << 8 | rgb[i * 3 + 2] / 3;
  const std::u32string caption = DecodeUtf8(utf8Caption), text = DecodeUtf8(utf8Text), ok = U"OK";
  const int w = std::clamp(std::max(TextWidth(text), TextWidth(caption)) + 64, 240, ScreenWidth - 16);
  const int h = 136, x = (ScreenWidth - w) / 2, y = (ScreenHeight - h) / 2;
  Fill(argb, x - 2, y - 2, w + 4, h + 4, Black);
  Fill(argb, x, y, w, h, White);
  Fill(argb, x, y, w, 24, Title);
  DrawText(argb, x + 8, y + 4, caption, White);
  DrawText(argb, x + (w - TextWidth(text)) / 2, y + 52, text, Black);
  *button = {ScreenWidth / 2 - 40, y + h - 40, 80, 28};
  Fill(argb, button->x - 1, button->y - 1, button->w + 2, button->h + 2, Black);
  Fill(argb, button->x, button->y, button->w, button->h, Button);
  DrawText(argb, button->x + (button->w - TextWidth(ok)) / 2, button->y + 6, ok, Black);
}
