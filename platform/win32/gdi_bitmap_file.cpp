// Reads 8-bit BMP files the way the game loads them: as a bitmap object with
// its colour table, ready to be selected into a memory context.
#include <algorithm>
#include <cstdint>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/files/data_folder.h"
#include "platform/files/whole_file.h"
#include "platform/win32/records.h"

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int32_t S32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

constexpr int MaxSide = 16384;


// Run-length coded rows, bottom row first. Runs and moves are clipped to the
// row and to the picture, so the position never leaves it, whatever the file
// says; data that ends before its end-of-bitmap mark is refused.
const char* DecodeRle8(const uint8_t* p, size_t size, int width, int height, std::vector<uint8_t>& bits) {
  int x = 0, y = 0;  // y counts rows from the bottom; 0 <= x <= width, 0 <= y <= height
  size_t i = 0;
  auto put = [&](uint8_t v) {
    if (x < width && y < height) bits[static_cast<size_t>(height - 1 - y) * width + x++] = v;
  };
  while (true) {
    if (i + 2 > size) return "RLE8 data ends early";
    const uint8_t count = p[i], value = p[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count; k++) put(value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      y++;
    } else if (value == 1) {  // end of bitmap
      return nullptr;
    } else if (value == 2) {  // move right and up
      if (i + 2 > size) return "RLE8 data ends early";
      x = std::min(x + p[i], width);
      y += p[i + 1];
      i += 2;
    } else {  // a literal run, padded to a whole word
      const size_t padded = (value + 1u) & ~1u;
      if (i + padded > size) return "RLE8 data ends early";
      for (int k = 0; k < value; k++) put(p[i + k]);
      i += padded;
    }
    if (y > height) return "RLE8 data runs past the picture";
  }
}

// Fills the bitmap object; returns the reason when the file cannot be used.
const char* ParseBmp(const std::vector<uint8_t>& file, GdiObject* bm) {
  const size_t size = file.size();
  const uint8_t* p = file.data();
  if (size < 14 + 12) return "file too short for a bitmap";
  if (p[0] != 'B' || p[1] != 'M') return "not a BMP file";
  const uint32_t dataOffset = U32(p + 10);
  const uint32_t headerSize = U32(p + 14);
  int32_t width, height;
  uint16_t bits;
  uint32_t compression = 0, coloursUsed = 0;
  size_t entrySize = 4;
  if (headerSize == 12) {  // the old OS/2 header, with three-byte colours
    width = U16(p + 18);
    height = static_cast<int16_t>(U16(p + 20));
    bits = U16(p + 24);
    entrySize = 3;
  } else if (headerSize >= 40 && headerSize <= 124) {
    if (size < 14 + headerSize) return "header cut short";
    width = S32(p + 18);
    height = S32(p + 22);
    bits = U16(p + 28);
    compression = U32(p + 30);
    coloursUsed = U32(p + 46);
  } else {
    return "unknown header size";
  }
  if (bits != 8) {
    static thread_local char why[64];
    std::snprintf(why, sizeof why, "not an 8-bit bitmap (%u bits a pixel)", bits);
    return why;
  }
  // INT32_MIN has no positive counterpart: refused before it is turned.
  if (height == INT32_MIN) return "bad picture size";
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return "bad picture size";
  if (compression != 0 && compression != 1) return "unsupported compression";
  if (compression == 1 && topDown) return "a top-down bitmap cannot be RLE8 coded";
  if (coloursUsed == 0) coloursUsed = 256;
  if (coloursUsed > 256) return "colour table of more than 256 entries";

  const size_t tableOffset = 14 + headerSize;
  if (tableOffset + coloursUsed * entrySize > size) return "colour table cut short";
  bm->kind = GdiBitmap;
  bm->colourCount = coloursUsed;
  for (uint32_t i = 0; i < 256; i++) {
    bm->colours[i] = RGBQUAD{};
    if (i < coloursUsed) {
      const uint8_t* e = p + tableOffset + i * entrySize;
      bm->colours[i] = RGBQUAD{e[0], e[1], e[2], 0};
    }
  }
  bm->bmWidth = width;
  bm->bmHeight = height;
  bm->bits.assign(static_cast<size_t>(width) * height, 0);
  if (dataOffset >= size) return "no picture data";
  const uint8_t* data = p + dataOffset;
  const size_t dataSize = size - dataOffset;
  if (compression == 1) return DecodeRle8(data, dataSize, width, height, bm->bits);
  const size_t stride = (static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
  // The last row need not carry its padding.
  if (dataSize < stride * (height - 1) + width) return "picture data cut short";
  for (int row = 0; row < height; row++) {
    const int fileRow = topDown ? row : height - 1 - row;
    std::memcpy(bm->bits.data() + static_cast<size_t>(row) * width, data + stride * fileRow, width);
  }
  return nullptr;
}

}  // namespace

HANDLE LoadImageA(HINSTANCE, const char* name, UINT type, int, int, UINT flags) {
  if (!name || type != IMAGE_BITMAP || !(flags & LR_LOADFROMFILE)) return nullptr;
  std::vector<uint8_t> file;
  if (ReadWholeFile(OpenDataFile(name, "rb"), SIZE_MAX, &file)) {
    // Without a data folder the search has said it all in its one line.
    if (!DataFolderMissing())
      std::fprintf(stderr, "twinworlds: %s: cannot open the bitmap (%s)\n", DataFilePath(name).c_str(),
                   errno == ENOENT ? "no such file" : std::strerror(errno));
    NoteDataFileProblem(name);
    return nullptr;
  }
  auto* bm = new GdiObject{};
  if (const char* why = ParseBmp(file, bm)) {
    NoteDataFileProblem(name);
    std::fprintf(stderr, "twinworlds: %s: %s\n", DataFilePath(name).c_str(), why);
    delete bm;
    return nullptr;
  }
  return bm;
}
