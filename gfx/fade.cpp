// Fades by stepping every palette entry towards black or back to its colour.
#include "gfx/fade.h"

#include "gfx/display.h"

namespace {

void ShowPalette(const PALETTEENTRY* entries) {
  DDPalette* p = nullptr;
  CreatePalette(DisplayDevice, DDPCAPS_8BIT, entries, &p, nullptr);
  SetPalette(PrimarySurface, p);
  Release(p);  // the primary surface keeps its own reference
}

}  // namespace

void FadeOut(int step, PALETTEENTRY* palette) {
  BYTE kept[256][3];
  for (int i = 0; i < 256; i++) {
    kept[i][0] = palette[i].peRed;
    kept[i][1] = palette[i].peGreen;
    kept[i][2] = palette[i].peBlue;
  }
  const int steps = 256 / step + 1;
  for (int n = 0; n < steps; n++) {
    for (int i = 0; i < 256; i++) {
      BYTE* c[3] = {&palette[i].peRed, &palette[i].peGreen, &palette[i].peBlue};
      for (BYTE* v : c) *v = *v > step ? static_cast<BYTE>(*v - step) : 0;
      palette[i].peFlags = 0;
    }
    ShowPalette(palette);
  }
  // The caller's colours come back; the screen stays black.
  for (int i = 0; i < 256; i++) {
    palette[i].peRed = kept[i][0];
    palette[i].peGreen = kept[i][1];
    palette[i].peBlue = kept[i][2];
  }
}

void FadeIn(int step, PALETTEENTRY* palette) {
  Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  PALETTEENTRY work[256] = {};
  const int steps = 256 / step + 1;
  for (int n = 0; n < steps; n++) {
    for (int i = 0; i < 256; i++) {
      BYTE* w[3] = {&work[i].peRed, &work[i].peGreen, &work[i].peBlue};
      const BYTE target[3] = {palette[i].peRed, palette[i].peGreen, palette[i].peBlue};
      for (int k = 0; k < 3; k++) *w[k] = *w[k] + step < target[k] ? static_cast<BYTE>(*w[k] + step) : target[k];
    }
    ShowPalette(work);
  }
  ShowPalette(palette);
}
