// A display made in memory for tests, with a palette whose colours tests can
// name: index 0 black, 1 pure red, 2 pure green, 255 white, the rest greys.
#pragma once

#include <cstring>
#include <vector>

#include "gfx/display.h"
#include "platform/picture/font.h"
#include "support/platform_records.h"

inline void MakeTestPalette(PALETTEENTRY* p) {
  for (int i = 0; i < 256; i++) p[i] = PALETTEENTRY{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
  p[0] = {0, 0, 0, 0};
  p[1] = {255, 0, 0, 0};
  p[2] = {0, 255, 0, 0};
  p[255] = {255, 255, 255, 0};
}

// Sets up DisplayDevice, PrimarySurface and BackBuffer with the test palette;
// text is drawn from the build's glyph sheet, as the game draws it.
inline void OpenTestDisplay() {
#ifdef TW_GAME_DIR
  SetGlyphSheet(TW_GAME_DIR "/font/glyphs.hex");
#endif
  DirectDrawCreateEx(nullptr, &DisplayDevice, nullptr, nullptr);
  DDSURFACEDESC2 d{};
  d.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  d.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  d.dwBackBufferCount = 1;
  CreateSurface(DisplayDevice, &d, &PrimarySurface, nullptr);
  DDSCAPS2 caps{DDSCAPS_BACKBUFFER, 0, 0, 0};
  GetAttachedSurface(PrimarySurface, &caps, &BackBuffer);
  PALETTEENTRY entries[256];
  MakeTestPalette(entries);
  DDPalette* pal = nullptr;
  CreatePalette(DisplayDevice, DDPCAPS_8BIT, entries, &pal, nullptr);
  SetPalette(PrimarySurface, pal);
  Release(pal);
}

inline void CloseTestDisplay() {
  Release(PrimarySurface);
  PrimarySurface = BackBuffer = nullptr;
  Release(DisplayDevice);
  DisplayDevice = nullptr;
}

inline DDSurface* MakeSurface(int w, int h, BYTE fill = 0) {
  DDSURFACEDESC2 d{};
  DDSurface* s = nullptr;
  CreateOffscreenSurface(&d, w, h, &s);
  s->pixels.assign(s->pixels.size(), fill);
  SetSurfaceColorKey(s, TransparentIndex, TransparentIndex);
  return s;
}

inline BYTE PixelAt(const DDSurface* s, int x, int y) { return s->pixels[static_cast<size_t>(y) * s->pitch + x]; }
inline void SetPixel(DDSurface* s, int x, int y, BYTE v) { s->pixels[static_cast<size_t>(y) * s->pitch + x] = v; }
