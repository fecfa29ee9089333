#include "preview_png.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "palette.h"

bool WritePreviewPng(const std::string& path, const Canvas& picture, int scale) {
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
  const int w = picture.w * scale, h = picture.h * scale;
  png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
  const auto& pal = PaletteColours();
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      const uint8_t v = picture.px[(y / scale) * picture.w + x / scale];
      Rgb c = pal[v];
      if (v == kClear) c = ((x / 4 + y / 4) % 2) ? Rgb{60, 60, 60} : Rgb{90, 90, 90};
      row[x * 3] = c.r;
      row[x * 3 + 1] = c.g;
      row[x * 3 + 2] = c.b;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}
