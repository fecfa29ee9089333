// A canvas as an 8-bit BMP file: the headers, the shared palette, and the
// rows bottom up, each padded to four bytes.
#include "bmp_writer.h"

#include "little_endian.h"

#include "palette.h"

std::vector<uint8_t> EncodeBmp(const Canvas& picture) {
  const uint32_t stride = (picture.w + 3u) & ~3u;
  const uint32_t headers = 14 + 40 + 256 * 4;
  const uint32_t dataSize = stride * picture.h;
  std::vector<uint8_t> out;
  out.reserve(headers + dataSize);
  // File header.
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + dataSize);
  Put32(out, 0);
  Put32(out, headers);
  // Info header: bottom-up rows, no compression, a full colour table.
  Put32(out, 40);
  Put32(out, picture.w);
  Put32(out, picture.h);
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, 0);
  Put32(out, dataSize);
  Put32(out, 2835);  // 72 dots an inch
  Put32(out, 2835);
  Put32(out, 256);
  Put32(out, 256);
  for (const Rgb& c : PaletteColours()) {
    out.push_back(c.b);
    out.push_back(c.g);
    out.push_back(c.r);
    out.push_back(0);
  }
  for (int y = picture.h - 1; y >= 0; y--) {
    const uint8_t* row = picture.px.data() + static_cast<size_t>(y) * picture.w;
    out.insert(out.end(), row, row + picture.w);
    out.insert(out.end(), stride - picture.w, 0);
  }
  return out;
}
