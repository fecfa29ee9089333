// The game's message box drawn over its own picture with the game's own
// font, so that its Japanese reads the same whatever the locale and the
// fonts of the window system.
#include <algorithm>
#include <string>
#include <vector>

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

void Fill(uint32_t* argb, int x, int y, int w, int h, uint32_t colour, int pitch = ScreenWidth) {
  for (int row = std::max(0, y); row < std::min(ScreenHeight, y + h); row++)
    for (int col = std::max(0, x); col < std::min(ScreenWidth, x + w); col++) argb[row * pitch + col] = colour;
}

void DrawText(uint32_t* argb, int x, int y, const std::u32string& text, uint32_t colour, int pitch = ScreenWidth) {
  for (char32_t c : text) {
    const Glyph* g = FindGlyph(c);
    if (!g) continue;
    for (int gy = 0; gy < GlyphHeight; gy++)
      for (int gx = 0; gx < g->width; gx++)
        if (GlyphPixel(*g, gx, gy) && x + gx >= 0 && x + gx < ScreenWidth && y + gy >= 0 && y + gy < ScreenHeight)
          argb[(y + gy) * pitch + x + gx] = colour;
    x += g->width;
  }
}

// A line too wide for `width` keeps its start and its end (a path's first
// folders and its file name), with "…" for what goes between.
std::u32string FitLine(const std::u32string& line, int width) {
  if (TextWidth(line) <= width) return line;
  size_t head = line.size() / 2, tail = line.size() - head;
  auto shortened = [&] { return line.substr(0, head) + U"…" + line.substr(line.size() - tail); };
  while (head + tail > 0 && TextWidth(shortened()) > width) {
    if (head > tail) head--;
    else tail--;
  }
  return shortened();
}

std::vector<std::u32string> Lines(const std::u32string& text) {
  std::vector<std::u32string> lines(1);
  for (char32_t c : text) {
    if (c == U'\n') lines.emplace_back();
    else lines.back() += c;
  }
  return lines;
}

}  // namespace

void DrawMessageBox(const char* utf8Caption, const char* utf8Text, uint32_t* argb, MessageBoxButton* button) {
  // The picture shown so far, darkened, stays behind the box.
  const std::vector<uint8_t> rgb = ShownPictureRgb();
  for (int i = 0; i < ScreenWidth * ScreenHeight; i++)
    argb[i] = 0xFF000000u | (rgb[i * 3] / 3) << 16 | (rgb[i * 3 + 1] / 3) << 8 | rgb[i * 3 + 2] / 3;
  const std::u32string caption = DecodeUtf8(utf8Caption), ok = U"OK";
  std::vector<std::u32string> lines = Lines(DecodeUtf8(utf8Text));
  int widest = TextWidth(caption);
  for (const std::u32string& line : lines) widest = std::max(widest, TextWidth(line));
  const int w = std::clamp(widest + 64, 240, ScreenWidth - 16);
  for (std::u32string& line : lines) line = FitLine(line, w - 16);
  const int lineCount = static_cast<int>(lines.size());
  const int h = 136 + (lineCount - 1) * 20, x = (ScreenWidth - w) / 2, y = (ScreenHeight - h) / 2;
  Fill(argb, x - 2, y - 2, w + 4, h + 4, Black);
  Fill(argb, x, y, w, h, White);
  Fill(argb, x, y, w, 24, Title);
  DrawText(argb, x + 8, y + 4, caption, White);
  for (int i = 0; i < lineCount; i++)
    DrawText(argb, x + (w - TextWidth(lines[i])) / 2, y + 52 + i * 20, lines[i], Black);
  *button = {ScreenWidth / 2 - 40, y + h - 40, 80, 28};
  Fill(argb, button->x - 1, button->y - 1, button->w + 2, button->h + 2, Black);
  Fill(argb, button->x, button->y, button->w, button->h, Button);
  DrawText(argb, button->x + (button->w - TextWidth(ok)) / 2, button->y + 6, ok, Black);
}

std::string FitTextToWidth(const char* utf8Text, int width) {
  std::string out;
  for (char32_t c : FitLine(DecodeUtf8(utf8Text), width)) AppendUtf8(&out, c);
  return out;
}

void DrawNotice(const char* utf8Text, uint32_t* argb, int pitch) {
  const std::u32string text = FitLine(DecodeUtf8(utf8Text), ScreenWidth - 16);
  const int h = GlyphHeight + 8, y = ScreenHeight - h;
  Fill(argb, 0, y, ScreenWidth, h, 0xFF101010u, pitch);
  DrawText(argb, 8, y + 4, text, White, pitch);
}
