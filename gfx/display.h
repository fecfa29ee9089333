// The display: the flip chain, the thirteen off-screen surfaces, the palette
// of the bitmaps, and the two sprite copies every drawing routine uses.
#pragma once

#include "platform/win32/ddraw.h"
#include "platform/win32/gdi.h"

constexpr BYTE TransparentIndex = 113;
constexpr BYTE FlashIndex = 255;

// BltFast flags as the callers pass them: opaque, and colour-keyed sprites.
constexpr DWORD BltOpaque = DDBLTFAST_WAIT;
constexpr DWORD BltKeyed = DDBLTFAST_WAIT | DDBLTFAST_SRCCOLORKEY;

extern DirectDraw* DisplayDevice;
extern DDSurface* PrimarySurface;
extern DDSurface* BackBuffer;
extern DDSurface* TileSheet;
extern DDSurface* CharSheet;
extern DDSurface* CharSheetReversed;
extern DDSurface* EnemySheet;
extern DDSurface* GEnemySheet;
extern DDSurface* WorkSurface;
extern DDSurface* OtherWorldSurface;
extern DDSurface* BackgroundSurface;
extern DDSurface* ExplodeSheet;
extern DDSurface* StatusSurface;
extern DDSurface* CursorSurface;
extern DDSurface* SmallDigits;
extern DDSurface* LargeDigits;
extern PALETTEENTRY GamePalette[256];

HRESULT CreateOffscreenSurface(DDSURFACEDESC2* desc, int width, int height, DDSurface** out);
HRESULT SetSurfaceColorKey(DDSurface* surface, DWORD low, DWORD high);
int LoadBitmapSurface(DDSurface* surface, PALETTEENTRY* paletteOut, const char* fileName);
HRESULT BltClipped(DDSurface* dest, int x, int y, DDSurface* src, int left, int top, int right, int bottom,
                   DWORD flags);
void BltSilhouette(DDSurface* dest, int x, int y, DDSurface* src, int left, int top, int right, int bottom);

// Display start-up: the device, the flip chain, the off-screen surfaces and
// their colour keys, in that order.
void CreateDisplay(HWND window);
// Loads the eleven bitmaps; returns 0 when any of them failed.
int LoadAllBitmaps();
void ReleaseDisplay();
