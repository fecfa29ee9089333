// The HP gauge, the other world's inset, the combo banner, and the digits.
#include "gfx/hud.h"

#include "gfx/display.h"

int32_t ComboCount;
int32_t ComboBannerX;

namespace {

// The four decimal positions shown of a value. Only four fit: a value
// beyond them shows as 9999 and a negative one as 0, rather than as its
// last digits, which would read as a small number.
void SplitDigits(int32_t value, int digits[4]) {
  if (value < 0) value = 0;
  if (value > 9999) value = 9999;
  digits[0] = value / 1000;
  digits[1] = value / 100 % 10;
  digits[2] = value / 10 % 10;
  digits[3] = value % 10;
}

RECT SmallGlyph(int g) { return g == 0 ? RECT{0, 0, 10, 17} : RECT{10 * g + 1, 0, 10 * g + 10, 17}; }

}  // namespace

void DrawGauge(DDSurface* surface, HPEN pen, HBRUSH brush, int x, int y, int fullWidth, int height, int value) {
  HDC dc = nullptr;
  if (GetDC(surface, &dc) != DD_OK) return;
  SelectObject(dc, pen);
  SelectObject(dc, WhiteBrush);
  Rectangle(dc, x, y, x + fullWidth, y + height);
  SelectObject(dc, brush);
  Rectangle(dc, x, y, x + value, y + height);
  ReleaseDC(surface, dc);
}

void DrawInset(DDSurface* dest, DDSurface* source) {
  DDSURFACEDESC2 d{}, s{};
  d.dwSize = s.dwSize = sizeof(DDSURFACEDESC2);
  if (Lock(dest, nullptr, &d, DDLOCK_WAIT, nullptr) != DD_OK) return;
  if (Lock(source, nullptr, &s, DDLOCK_WAIT, nullptr) != DD_OK) {
    Unlock(dest, nullptr);
    return;
  }
  const auto* src = static_cast<const BYTE*>(s.lpSurface);
  auto* dst = static_cast<BYTE*>(d.lpSurface);
  for (int r = 0; r < 120; r++) {
    const BYTE* from = src + static_cast<size_t>(4 * r) * s.lPitch;
    BYTE* to = dst + static_cast<size_t>(r) * d.lPitch;
    for (int c = 0; c < 160; c++) to[c] = from[4 * c];
  }
  Unlock(dest, nullptr);
  Unlock(source, nullptr);
}

void DrawComboBanner(int32_t count) {
  if (ComboBannerX >= ScreenWidth) return;
  const int left = ComboBannerX < 440 ? 440 : ComboBannerX;
  DrawLargeNumber(count, left, 0);
  BltClipped(BackBuffer, left + 27 * 4, 0, LargeDigits, 269, 0, 351, 34, BltKeyed);
  ComboBannerX += 5;
  if (ComboBannerX >= ScreenWidth) ComboCount = 0;
}

void DrawSmallNumber(int x, int y, int32_t value, int positions) {
  int digits[4];
  SplitDigits(value, digits);
  const int first = 4 - positions;
  bool shown = false;
  for (int i = first; i < 4; i++) {
    if (digits[i] != 0) shown = true;
    if (!shown) continue;
    RECT glyph = SmallGlyph(digits[i]);
    BltFast(BackBuffer, x + 10 * (i - first), y, SmallDigits, &glyph, BltKeyed);
  }
  if (!shown) {
    RECT zero = SmallGlyph(0);
    BltFast(BackBuffer, x + 10 * (positions - 1), y, SmallDigits, &zero, BltKeyed);
  }
}

int DrawLargeNumber(int32_t value, int x, int y) {
  int digits[4];
  SplitDigits(value, digits);
  bool shown = false;
  for (int i = 0; i < 4; i++) {
    if (digits[i] != 0) shown = true;
    if (!shown) continue;
    BltClipped(BackBuffer, x + 27 * i, y, LargeDigits, 27 * digits[i], 0, 27 * digits[i] + 26, 34, BltKeyed);
  }
  if (!shown) BltClipped(BackBuffer, x + 81, y, LargeDigits, 0, 0, 26, 34, BltKeyed);
  return 4;
}
