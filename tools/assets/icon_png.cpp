// Icons from the character sheet, scaled nearest-pixel so they stay crisp.
#include "icon_png.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "palette.h"
#include "preview_png.h"
#include "sheet_layout.h"

bool WriteIcons(const std::string& folder, const Canvas& charSheet) {
  // The drawn part of the standing frame, made square about its middle.
  using charpics::Stand;
  int left = Stand.right, top = Stand.bottom, right = Stand.left, bottom = Stand.top;
  for (int y = Stand.top; y < Stand.bottom; y++)
    for (int x = Stand.left; x < Stand.right; x++)
      if (Get(charSheet, x, y) != Clear) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  if (right <= left) return false;
  const int side = std::max(right - left, bottom - top) + 2;
  const int x0 = (left + right - side) / 2, y0 = (top + bottom - side) / 2;
  const auto& pal = PaletteColours();
  for (int size : {32, 48, 64, 128, 256}) {
    std::vector<uint8_t> rgba(static_cast<size_t>(size) * size * 4, 0);
    for (int y = 0; y < size; y++)
      for (int x = 0; x < size; x++) {
        const uint8_t v = Get(charSheet, x0 + x * side / size, y0 + y * side / size);
        if (v == Clear) continue;
        uint8_t* o = &rgba[(static_cast<size_t>(y) * size + x) * 4];
        o[0] = pal[v].r;
        o[1] = pal[v].g;
        o[2] = pal[v].b;
        o[3] = 255;
      }
    const std::string dir = folder + "/" + std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(dir);
    if (!WritePngPixels(dir + "/twinworlds.png", size, size, true, rgba.data())) return false;
  }
  return true;
}
