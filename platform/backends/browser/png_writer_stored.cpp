// Screenshots as PNG without libpng: the rows go into stored (uncompressed)
// deflate blocks, which every PNG reader takes.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "platform/backend.h"

namespace {

uint32_t Crc(const uint8_t* data, size_t n, uint32_t crc = 0xFFFFFFFFu) {
  static uint32_t table[256];
  if (!table[1])
    for (uint32_t i = 0; i < 256; i++) {
      uint32_t c = i;
      for (int k = 0; k < 8; k++) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[i] = c;
    }
  for (size_t i = 0; i < n; i++) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

void PutBig(std::vector<uint8_t>* out, uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out->push_back(static_cast<uint8_t>(v >> s));
}

void PutChunk(std::vector<uint8_t>* out, const char* type, const std::vector<uint8_t>& body) {
  PutBig(out, static_cast<uint32_t>(body.size()));
  const size_t start = out->size();
  out->insert(out->end(), type, type + 4);
  out->insert(out->end(), body.begin(), body.end());
  PutBig(out, Crc(out->data() + start, out->size() - start) ^ 0xFFFFFFFFu);
}

}  // namespace

bool WritePng(const std::string& path, const uint8_t* rgb, int width, int height, std::string* error) {
  std::vector<uint8_t> raw;  // each row: filter type 0, then its bytes
  for (int y = 0; y < height; y++) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb + static_cast<size_t>(y) * width * 3, rgb + static_cast<size_t>(y + 1) * width * 3);
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t at = 0; at < raw.size(); at += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back(static_cast<uint8_t>(n));
    z.push_back(static_cast<uint8_t>(n >> 8));
    z.push_back(static_cast<uint8_t>(~n));
    z.push_back(static_cast<uint8_t>(~n >> 8));
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
  }
  PutBig(&z, b << 16 | a);
  std::vector<uint8_t> header;
  PutBig(&header, static_cast<uint32_t>(width));
  PutBig(&header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutChunk(&png, "IHDR", header);
  PutChunk(&png, "IDAT", z);
  PutChunk(&png, "IEND", {});
  FILE* f = std::fopen(path.c_str(), "wb");
  bool ok = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (!ok) *error = "cannot be written";
  return ok;
}
