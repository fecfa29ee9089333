// SPDX-License-Identifier: MIT
// A whole stage as one picture, with the game's tiles and backdrop and the
// marks that say what the cells do.
#include "map_picture.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/win32/gdi.h"
#include "stage/cell_kinds.h"
#include "stage/stage_file.h"

namespace {

struct Sheet {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // one palette index a pixel, top row first
  RGBQUAD colours[256] = {};
};

bool LoadSheet(const char* name, Sheet* out) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(nullptr, name, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!bitmap) return false;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  GetDIBColorTable(dc, 0, 256, out->colours);
  DeleteDC(dc);
  out->width = info.bmWidth;
  out->height = info.bmHeight;
  const auto* bits = static_cast<const uint8_t*>(info.bmBits);
  out->pixels.resize(static_cast<size_t>(out->width) * out->height);
  for (int y = 0; y < out->height; y++)
    std::memcpy(&out->pixels[static_cast<size_t>(y) * out->width], bits + static_cast<size_t>(y) * info.bmWidthBytes,
                out->width);
  DeleteObject(bitmap);
  return true;
}

struct Image {
  int width, height;
  std::vector<uint8_t> rgb;
  void Put(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    p[0] = r;
    p[1] = g;
    p[2] = b;
  }
};

constexpr uint8_t SeeThrough = 113;

void Copy(Image& img, const Sheet& s, int sx, int sy, int w, int h, int dx, int dy, bool keyed) {
  for (int y = 0; y < h; y++)
    for (int x = 0; x < w; x++) {
      if (sx + x < 0 || sy + y < 0 || sx + x >= s.width || sy + y >= s.height) continue;
      const uint8_t v = s.pixels[static_cast<size_t>(sy + y) * s.width + sx + x];
      if (keyed && v == SeeThrough) continue;
      const RGBQUAD& c = s.colours[v];
      img.Put(dx + x, dy + y, c.rgbRed, c.rgbGreen, c.rgbBlue);
    }
}

void Frame(Image& img, int x, int y, int w, int h, uint8_t r, uint8_t g, uint8_t b, bool dashed = false) {
  for (int i = 0; i < w; i++)
    if (!dashed || (i / 4) % 2 == 0) {
      img.Put(x + i, y, r, g, b);
      img.Put(x + i, y + h - 1, r, g, b);
    }
  for (int j = 0; j < h; j++)
    if (!dashed || (j / 4) % 2 == 0) {
      img.Put(x, y + j, r, g, b);
      img.Put(x + w - 1, y + j, r, g, b);
    }
}

// Digits 3 x 5, for labels.
void Number(Image& img, int x, int y, int value, uint8_t r, uint8_t g, uint8_t b) {
  static const char* const Digits[10] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111",
                                          "101101111001001", "111100111001111", "111100111101111", "111001001001001",
                                          "111101111101111", "111101111001111"};
  const std::string text = std::to_string(value);
  for (size_t k = 0; k < text.size(); k++) {
    for (int j = -1; j <= 5; j++)
      for (int i = -1; i <= 3; i++) img.Put(x + static_cast<int>(k) * 4 + i, y + j, 0, 0, 0);
  }
  for (size_t k = 0; k < text.size(); k++) {
    const char* glyph = Digits[text[k] - '0'];
    for (int j = 0; j < 5; j++)
      for (int i = 0; i < 3; i++)
        if (glyph[j * 3 + i] == '1') img.Put(x + static_cast<int>(k) * 4 + i, y + j, r, g, b);
  }
}

}  // namespace

int DrawStagePicture(const StageMap& map, int first, int count, const std::string& out, std::string* error) {
  Sheet tiles, background, enemies;
  if (!LoadSheet("image\\stage1\\back.BMP", &tiles) || !LoadSheet("image\\stage1\\haikei1.BMP", &background) ||
      !LoadSheet("image\\stage1\\Enemy.Bmp", &enemies)) {
    *error = "the game data's bitmaps (image/stage1/) cannot be read: run it where the game finds its data";
    return 1;
  }
  const int w = map.width * CellSize, h = map.height * CellSize;
  Image img{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};

  // The backdrop repeats along the stage with its foot on the bottom edge;
  // above it, its top row carries on up.
  for (int x = 0; x < w; x += background.width) {
    const int top = h - background.height;
    Copy(img, background, 0, 0, background.width, background.height, x, top, false);
    for (int y = top - 1; y >= 0; y--) Copy(img, background, 0, 0, background.width, 1, x, y, false);
  }

  for (int r = 0; r < map.height; r++)
    for (int c = 0; c < map.width; c++) {
      const int v = map.cells[r * map.width + c];
      const int x = c * CellSize, y = r * CellSize;
      CellPicture t;
      if (PictureOfCell(v, &t)) Copy(img, tiles, t.left, t.top, CellSize, CellSize, x, y, t.keyed);
      if (v == 301)  // the walker's picture is put 50 right of and 68 above the cell's corner
        Copy(img, enemies, 0, 0, 100, 80, x, y - 68, true);
      if (v == 302) Copy(img, enemies, 0, 100, 64, 64, x - 32, y - 32, true);
      if (v == 301 || v == 302) Frame(img, x, y, CellSize, CellSize, 255, 40, 40);
      if (v >= 1000) {
        Frame(img, x + 1, y + 1, CellSize - 2, CellSize - 2, 0, 255, 255);
        Number(img, x + 4, y + 4, v / 1000, 0, 255, 255);
      }
      if (v >= 101 && v <= 148) Number(img, x + 4, y + 4, v + 100, 255, 255, 0);
    }
  for (int m = 0; m < map.eventCount; m++) {
    const int r = map.eventCells[m] / map.width, c = map.eventCells[m] % map.width;
    Frame(img, c * CellSize, r * CellSize, CellSize, CellSize, 255, 255, 0);
    Number(img, c * CellSize + 4, r * CellSize + 4, map.eventValues[m], 255, 255, 0);
    // The scene's view: 21 columns from 10 left of the marker, 15 rows down.
    Frame(img, (c - 10) * CellSize, r * CellSize, 21 * CellSize, ViewRows * CellSize, 255, 255, 0, true);
  }
  // The start: both characters stand with their feet at y 287.
  const int startX = 320, startFeet = (map.height - ViewRows) * CellSize + 287;
  Frame(img, startX - 10, startFeet - 52, 21, 53, 80, 255, 80);

  std::vector<uint8_t> part(static_cast<size_t>(count) * CellSize * h * 3);
  for (int y = 0; y < h; y++)
    std::memcpy(&part[static_cast<size_t>(y) * count * CellSize * 3],
                &img.rgb[(static_cast<size_t>(y) * w + first * CellSize) * 3], static_cast<size_t>(count) * CellSize * 3);
  if (!WritePng(out.c_str(), part.data(), count * CellSize, h, error)) {
    *error = out + ": " + *error;
    return 1;
  }
  return 0;
}
