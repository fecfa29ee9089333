// Writes small BMP files for tests, in the variants the loader must read.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

struct BmpSpec {
  int width = 4, height = 3;
  std::vector<uint8_t> pixels;  // top-down indices; empty: index = x + 10 * y
  int colours = 256;            // entries in the colour table
  bool topDown = false;
  bool rle8 = false;
  int bits = 8;
};

// Colour i of every fixture table: (i, 255 - i, i / 2), but for black at 0
// and white at 255, as the game's own palette has them.
inline std::vector<uint8_t> BmpBytes(const BmpSpec& s) {
  auto put16 = [](std::vector<uint8_t>& v, uint32_t x) { v.push_back(x & 255); v.push_back((x >> 8) & 255); };
  auto put32 = [&](std::vector<uint8_t>& v, uint32_t x) { put16(v, x & 0xFFFF); put16(v, x >> 16); };
  auto pixel = [&](int x, int y) -> uint8_t {
    return s.pixels.empty() ? static_cast<uint8_t>(x + 10 * y) : s.pixels[static_cast<size_t>(y) * s.width + x];
  };
  std::vector<uint8_t> data;
  if (s.rle8) {
    for (int y = s.height - 1; y >= 0; y--) {
      for (int x = 0; x < s.width;) {
        int run = 1;
        while (x + run < s.width && run < 255 && pixel(x + run, y) == pixel(x, y)) run++;
        data.push_back(static_cast<uint8_t>(run));
        data.push_back(pixel(x, y));
        x += run;
      }
      data.push_back(0);
      data.push_back(0);
    }
    data.push_back(0);
    data.push_back(1);
  } else {
    const int bytesPerPixel = s.bits / 8;
    const int stride = (s.width * bytesPerPixel + 3) & ~3;
    for (int row = 0; row < s.height; row++) {
      const int y = s.topDown ? row : s.height - 1 - row;
      std::vector<uint8_t> line(stride, 0);
      for (int x = 0; x < s.width; x++) line[x * bytesPerPixel] = pixel(x, y);
      data.insert(data.end(), line.begin(), line.end());
    }
  }
  const int tableEntries = s.bits == 8 ? s.colours : 0;
  const uint32_t offset = 14 + 40 + tableEntries * 4;
  std::vector<uint8_t> f = {'B', 'M'};
  put32(f, offset + static_cast<uint32_t>(data.size()));
  put32(f, 0);
  put32(f, offset);
  put32(f, 40);
  put32(f, static_cast<uint32_t>(s.width));
  put32(f, static_cast<uint32_t>(s.topDown ? -s.height : s.height));
  put16(f, 1);
  put16(f, static_cast<uint32_t>(s.bits));
  put32(f, s.rle8 ? 1 : 0);
  put32(f, static_cast<uint32_t>(data.size()));
  put32(f, 2835);
  put32(f, 2835);
  put32(f, s.colours == 256 ? 0 : static_cast<uint32_t>(s.colours));
  put32(f, 0);
  for (int i = 0; i < tableEntries; i++) {
    const bool ends = i == 0 || i == 255;
    f.push_back(static_cast<uint8_t>(ends ? i : i / 2));    // blue
    f.push_back(static_cast<uint8_t>(ends ? i : 255 - i));  // green
    f.push_back(static_cast<uint8_t>(i));                   // red
    f.push_back(0);
  }
  f.insert(f.end(), data.begin(), data.end());
  return f;
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
