#include <cstring>

#include "platform/internal.h"

void ConvertToArgb(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette, uint32_t* out, int outPitchBytes) {
  uint32_t colours[256];
  for (int i = 0; i < 256; i++)
    colours[i] = 0xFF000000u | palette[i].peRed << 16 | palette[i].peGreen << 8 | palette[i].peBlue;
  for (int y = 0; y < kScreenHeight; y++) {
    const uint8_t* s = pixels + static_cast<size_t>(y) * pitch;
    auto* d = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(out) + static_cast<size_t>(y) * outPitchBytes);
    for (int x = 0; x < kScreenWidth; x++) d[x] = colours[s[x]];
  }
}
