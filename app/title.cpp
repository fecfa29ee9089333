#include "app/game.h"
#include "app/menus.h"
#include "gfx/display.h"

namespace {

DWORD TitleClock = 0;

void ClearBackBuffer() {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  PatBlt(dc, 0, 0, ScreenWidth, ScreenHeight, BLACKNESS);
  ReleaseDC(BackBuffer, dc);
}

}  // namespace

int RunTitle(HWND, PlayerRecord*, PlayerRecord*, EnemyTable*, EnemyTable*, StageMap*, StageMap*) {
  const DWORD now = timeGetTime();
  if (now - TitleClock < FrameInterval) return 1;
  TitleClock = now;
  ClearBackBuffer();
  BltClipped(BackBuffer, 258, 300, TileSheet, 191, 18, 315, 34, BltKeyed);  // caption
  BltClipped(BackBuffer, 134, 100, TileSheet, 192, 42, 560, 90, BltKeyed);  // logo
  // Enter starts the new game once the stages can be played.
  Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  return 1;
}
