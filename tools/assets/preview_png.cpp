// PNG files through libpng: plain RGB or RGBA pixels, and scaled previews
// of the bitmaps in the shared palette.
#include "preview_png.h"

#include <png.h>

#include <cstdio>
#include <vector>

#include "palette.h"

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePngPixels(int width, int height, bool alpha, const uint8_t* pixels) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &out, AppendBytes, NoFlush);
  png_set_IHDR(png, info, width, height, 8, alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const size_t rowBytes = static_cast<size_t>(width) * (alpha ? 4 : 3);
  for (int y = 0; y < height; y++) png_write_row(png, pixels + static_cast<size_t>(y) * rowBytes);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

bool WritePngPixels(const std::string& path, int width, int height, bool alpha, const uint8_t* pixels) {
  const std::vector<uint8_t> bytes = EncodePngPixels(width, height, alpha, pixels);
  if (bytes.empty()) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && written;
}

bool WritePreviewPng(const std::string& path, const Canvas& picture, int scale) {
  const int w = picture.w * scale, h = picture.h * scale;
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  const auto& pal = PaletteColours();
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) {
      const uint8_t v = picture.px[(y / scale) * picture.w + x / scale];
      Rgb c = pal[v];
      if (v == Clear) c = ((x / 4 + y / 4) % 2) ? Rgb{60, 60, 60} : Rgb{90, 90, 90};
      uint8_t* o = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      o[0] = c.r;
      o[1] = c.g;
      o[2] = c.b;
    }
  }
  return WritePngPixels(path, w, h, false, rgb.data());
}
