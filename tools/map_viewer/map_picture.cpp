// SPDX-License-Identifier: MIT
// A whole stage as one picture, with the game's tiles and backdrop and the
// marks that say what the cells do (the stage editor's own).
#include "map_picture.h"

#include <cstring>
#include <string>
#include <vector>

#include "editor/stage_marks.h"
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
      CellPicture t;
      if (PictureOfCell(map.cells[r * map.width + c], &t))
        Copy(img, tiles, t.left, t.top, CellSize, CellSize, c * CellSize, r * CellSize, t.keyed);
    }
  // The maker's marks, as the stage editor draws them: the enemies'
  // pictures from the sheet first, then the frames and numbers.
  std::vector<StageMark> marks(static_cast<size_t>(CollectStageMarks(&map, 0, map.height, 0, map.width, nullptr, 0)));
  CollectStageMarks(&map, 0, map.height, 0, map.width, marks.data(), static_cast<int>(marks.size()));
  MarkCanvas canvas{img.rgb.data(), w, h, w * 3, 3, {}, {0, 0, 0}, 0, 0, 1};
  std::memcpy(canvas.ink, MarkColourRgb, sizeof canvas.ink);
  for (const StageMark& m : marks)
    if (m.shape == MarkWalkerPicture || m.shape == MarkThrowerPicture)
      Copy(img, enemies, m.sheetLeft, m.sheetTop, m.width, m.height, m.x, m.y, true);
  for (const StageMark& m : marks) PaintStageMark(m, &canvas);

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
