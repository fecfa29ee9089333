// The display's surfaces made and filled from the bitmaps, and the sprite
// copies: clipped to the screen, keyed, or as a white silhouette.
#include "gfx/display.h"

#include <cstring>

#include "app/game_texts.h"

DirectDraw* DisplayDevice;
DDSurface* PrimarySurface;
DDSurface* BackBuffer;
DDSurface* TileSheet;
DDSurface* CharSheet;
DDSurface* CharSheetReversed;
DDSurface* EnemySheet;
DDSurface* GEnemySheet;
DDSurface* WorkSurface;
DDSurface* OtherWorldSurface;
DDSurface* BackgroundSurface;
DDSurface* ExplodeSheet;
DDSurface* StatusSurface;
DDSurface* CursorSurface;
DDSurface* SmallDigits;
DDSurface* LargeDigits;
PALETTEENTRY GamePalette[256];

namespace {

// One description serves every off-screen surface; only its size changes.
DDSURFACEDESC2 OffscreenDesc;

void ReleaseSurface(DDSurface*& surface) {
  if (surface) Release(surface);
  surface = nullptr;
}

// Sprites are cut at the screen's edges in arithmetic; no clipper is used,
// whatever the destination.
void ClipToScreen(int& x, int& y, int& left, int& top, int& right, int& bottom) {
  if (x < 0) {
    left -= x;
    x = 0;
  }
  if ((right - left) + x > ScreenWidth) right = left - x + ScreenWidth;
  if (y < 0) {
    top -= y;
    y = 0;
  }
  if ((bottom - top) + y > ScreenHeight) bottom = top - y + ScreenHeight;
}

}  // namespace

HRESULT CreateOffscreenSurface(DDSURFACEDESC2* desc, int width, int height, DDSurface** out) {
  desc->dwSize = sizeof *desc;
  desc->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  desc->ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
  desc->dwWidth = static_cast<DWORD>(width);
  desc->dwHeight = static_cast<DWORD>(height);
  return CreateSurface(DisplayDevice, desc, out, nullptr);
}

HRESULT SetSurfaceColorKey(DDSurface* surface, DWORD low, DWORD high) {
  DDCOLORKEY key{low, high};
  return SetColorKey(surface, DDCKEY_SRCBLT, &key);
}

int LoadBitmapSurface(DDSurface* surface, PALETTEENTRY* paletteOut, const char* fileName) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), fileName, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
  if (!bitmap) return 0;
  BITMAP info;
  GetObjectA(bitmap, sizeof info, &info);
  HDC memory = CreateCompatibleDC(nullptr);
  SelectObject(memory, bitmap);
  RGBQUAD table[256];
  GetDIBColorTable(memory, 0, 256, table);
  PALETTEENTRY entries[256];
  for (int i = 0; i < 256; i++) {
    entries[i].peRed = table[i].rgbRed;
    entries[i].peGreen = table[i].rgbGreen;
    entries[i].peBlue = table[i].rgbBlue;
    entries[i].peFlags = 5;  // PC_RESERVED | PC_NOCOLLAPSE
  }
  DDPalette* palette = nullptr;
  CreatePalette(DisplayDevice, DDPCAPS_8BIT, entries, &palette, nullptr);
  GetEntries(palette, 0, 0, 256, paletteOut);
  SetPalette(PrimarySurface, palette);
  HDC target = nullptr;
  if (GetDC(surface, &target) == DD_OK) {
    BitBlt(target, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    ReleaseDC(surface, target);
  }
  DeleteDC(memory);
  Release(palette);
  DeleteObject(bitmap);
  return 1;
}

HRESULT BltClipped(DDSurface* dest, int x, int y, DDSurface* src, int left, int top, int right, int bottom,
                   DWORD flags) {
  ClipToScreen(x, y, left, top, right, bottom);
  RECT r{left, top, right, bottom};
  return BltFast(dest, x, y, src, &r, flags);
}

void BltSilhouette(DDSurface* dest, int x, int y, DDSurface* src, int left, int top, int right, int bottom) {
  ClipToScreen(x, y, left, top, right, bottom);
  DDSURFACEDESC2 d{}, s{};
  d.dwSize = s.dwSize = sizeof(DDSURFACEDESC2);
  if (Lock(dest, nullptr, &d, DDLOCK_WAIT, nullptr) != DD_OK) return;
  if (Lock(src, nullptr, &s, DDLOCK_WAIT, nullptr) != DD_OK) {
    Unlock(dest, nullptr);
    return;
  }
  // Only what lies inside both surfaces is touched, whatever the rectangle.
  const int srcW = static_cast<int>(s.dwWidth), srcH = static_cast<int>(s.dwHeight);
  const int destW = static_cast<int>(d.dwWidth), destH = static_cast<int>(d.dwHeight);
  const auto* sp = static_cast<const BYTE*>(s.lpSurface);
  auto* dp = static_cast<BYTE*>(d.lpSurface);
  for (int r = top; r < bottom; r++) {
    const int dy = y + r - top;
    if (r < 0 || r >= srcH || dy < 0 || dy >= destH) continue;
    for (int c = left; c < right; c++) {
      const int dx = x + c - left;
      if (c < 0 || c >= srcW || dx < 0 || dx >= destW) continue;
      if (sp[r * s.lPitch + c] != TransparentIndex) dp[dy * d.lPitch + dx] = FlashIndex;
    }
  }
  Unlock(dest, nullptr);
  Unlock(src, nullptr);
}

void CreateDisplay(HWND window) {
  DirectDrawCreateEx(nullptr, &DisplayDevice, nullptr, nullptr);
  SetCooperativeLevel(DisplayDevice, window, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE);
  SetDisplayMode(DisplayDevice, ScreenWidth, ScreenHeight, 8, 0, 0);
  DDSURFACEDESC2 primary{};
  primary.dwSize = sizeof primary;
  primary.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  primary.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  primary.dwBackBufferCount = 1;
  CreateSurface(DisplayDevice, &primary, &PrimarySurface, nullptr);
  DDSCAPS2 caps{};
  caps.dwCaps = DDSCAPS_BACKBUFFER;
  GetAttachedSurface(PrimarySurface, &caps, &BackBuffer);

  CreateOffscreenSurface(&OffscreenDesc, 640, 480, &TileSheet);
  CreateOffscreenSurface(&OffscreenDesc, 384, 384, &CharSheet);
  CreateOffscreenSurface(&OffscreenDesc, 384, 384, &CharSheetReversed);
  CreateOffscreenSurface(&OffscreenDesc, 192, 230, &EnemySheet);
  CreateOffscreenSurface(&OffscreenDesc, 100, 100, &GEnemySheet);
  CreateOffscreenSurface(&OffscreenDesc, 640, 480, &WorkSurface);
  CreateOffscreenSurface(&OffscreenDesc, 640, 480, &OtherWorldSurface);
  CreateOffscreenSurface(&OffscreenDesc, 640, 480, &BackgroundSurface);
  CreateOffscreenSurface(&OffscreenDesc, 576, 64, &ExplodeSheet);
  CreateOffscreenSurface(&OffscreenDesc, 640, 480, &StatusSurface);
  CreateOffscreenSurface(&OffscreenDesc, 64, 64, &CursorSurface);
  CreateOffscreenSurface(&OffscreenDesc, 100, 17, &SmallDigits);
  CreateOffscreenSurface(&OffscreenDesc, 351, 34, &LargeDigits);

  DDSurface* keyed[] = {StatusSurface, CursorSurface,    SmallDigits, LargeDigits,       TileSheet,
                        CharSheet,     CharSheetReversed, EnemySheet,  GEnemySheet,       WorkSurface,
                        OtherWorldSurface, BackgroundSurface, ExplodeSheet};
  for (DDSurface* s : keyed) SetSurfaceColorKey(s, TransparentIndex, TransparentIndex);
}

int LoadAllBitmaps() {
  struct Load {
    DDSurface* surface;
    const char* file;
  };
  const Load loads[] = {
      {StatusSurface, GameText(TextStatusPicture)},   {CursorSurface, "image\\stage1\\cursol.BMP"},
      {SmallDigits, "image\\stage1\\number.BMP"},     {LargeDigits, "image\\stage1\\number2.BMP"},
      {EnemySheet, "image\\stage1\\Enemy.Bmp"},       {TileSheet, "image\\stage1\\back.BMP"},
      {CharSheet, "image\\stage1\\char.BMP"},         {CharSheetReversed, "image\\stage1\\gyaku.BMP"},
      {BackgroundSurface, "image\\stage1\\haikei1.BMP"}, {GEnemySheet, "image\\stage1\\GEnemy.BMP"},
      {ExplodeSheet, "image\\stage1\\explode.BMP"},
  };
  // Every file is tried, so that one message covers them all.
  int ok = 1;
  for (const Load& l : loads)
    if (!LoadBitmapSurface(l.surface, GamePalette, l.file)) ok = 0;
  return ok;
}

void ReleaseDisplay() {
  if (DisplayDevice) RestoreDisplayMode(DisplayDevice);
  ReleaseSurface(PrimarySurface);
  BackBuffer = nullptr;  // part of the primary surface's flip chain
  ReleaseSurface(StatusSurface);
  ReleaseSurface(TileSheet);
  ReleaseSurface(WorkSurface);
  ReleaseSurface(OtherWorldSurface);
  ReleaseSurface(EnemySheet);
  ReleaseSurface(GEnemySheet);
  ReleaseSurface(CharSheet);
  ReleaseSurface(CharSheetReversed);
  ReleaseSurface(BackgroundSurface);
  ReleaseSurface(ExplodeSheet);
  ReleaseSurface(CursorSurface);
  ReleaseSurface(SmallDigits);
  ReleaseSurface(LargeDigits);
  if (DisplayDevice) Release(DisplayDevice);
  DisplayDevice = nullptr;
}
