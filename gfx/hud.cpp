#include "gfx/hud.h"

int32_t ComboCount;
int32_t ComboBannerX;

void DrawGauge(DDSurface* surface, HPEN pen, HBRUSH brush, int32_t x, int32_t y, int32_t fullWidth, int32_t height,
               int32_t value) {
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
  auto* dp = static_cast<BYTE*>(d.lpSurface);
  const auto* sp = static_cast<const BYTE*>(s.lpSurface);
  for (int r = 0; r < 120 && 4 * r < static_cast<int>(s.dwHeight) && r < static_cast<int>(d.dwHeight); r++)
    for (int c = 0; c < 160 && 4 * c < static_cast<int>(s.dwWidth) && c < static_cast<int>(d.dwWidth); c++)
      dp[r * d.lPitch + c] = sp[4 * r * s.lPitch + 4 * c];
  Unlock(dest, nullptr);
  Unlock(source, nullptr);
}

// The banner's digits come with the skill menu's number drawing.
void DrawComboBanner(int32_t) {}
