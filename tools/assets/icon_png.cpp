// Icons from the character sheet, scaled nearest-pixel so they stay crisp.
#include "icon_png.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "palette.h"
#include "sheet_layout.h"

namespace {

bool WriteRgba(const std::string& path, int size, const std::vector<uint8_t>& rgba) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return false;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < size; y++) png_write_row(png, &rgba[static_cast<size_t>(y) * size * 4]);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}

}  // namespace

bool WriteIcons(const std::string& folder, const Canvas& charSheet) {
  // The drawn part of the standing frame, made square about its middle.
  using charpics::kStand;
  int left = kStand.right, top = kStand.bottom, right = kStand.left, bottom = kStand.top;
  for (int y = kStand.top; y < kStand.bottom; y++)
    for (int x = kStand.left; x < kStand.right; x++)
      if (Get(charSheet, x, y) != kClear) {
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
        if (v == kClear) continue;
        uint8_t* o = &rgba[(static_cast<size_t>(y) * size + x) * 4];
        o[0] = pal[v].r;
        o[1] = pal[v].g;
        o[2] = pal[v].b;
        o[3] = 255;
      }
    const std::string dir = folder + "/" + std::to_string(size) + "x" + std::to_string(size);
    std::filesystem::create_directories(dir);
    if (!WriteRgba(dir + "/twinworlds.png", size, rgba)) return false;
  }
  return true;
}
