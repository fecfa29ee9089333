// SPDX-License-Identifier: MIT
// The Tiled tileset's picture: every value's tile as the game draws it, and
// marks over the cells whose meaning a picture does not show (enemies,
// switches with their event, gates, event markers, hidden groups).
#include "tiled_tileset_png.h"

#include <algorithm>

#include "palette.h"
#include "preview_png.h"
#include "sheet_layout.h"
#include "stage/cell_kinds.h"
#include "tools/tiled/tiled_tileset.h"

namespace {

struct Rgba {
  uint8_t r, g, b, a;
};

struct Image {
  int w, h;
  std::vector<Rgba> px;
  void Put(int x, int y, Rgba c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    Rgba& p = px[static_cast<size_t>(y) * w + x];
    // Over what is there already, as a painter would.
    const int a = c.a, keep = 255 - a;
    const int outA = a + p.a * keep / 255;
    if (outA == 0) return;
    auto mix = [&](uint8_t top, uint8_t under) {
      return static_cast<uint8_t>((top * a + under * p.a * keep / 255) / outA);
    };
    p = {mix(c.r, p.r), mix(c.g, p.g), mix(c.b, p.b), static_cast<uint8_t>(outA)};
  }
};

constexpr Rgba Yellow{255, 230, 40, 255}, Cyan{40, 240, 255, 255}, Red{255, 50, 50, 255},
    Orange{255, 150, 30, 255}, Ink{0, 0, 0, 255};

Rgba Alpha(Rgba c, uint8_t a) { return {c.r, c.g, c.b, a}; }

// A picture of the tile sheet as the map drawing copies it: keyed pictures
// let index 113 through, opaque ones show it.
void CopyPicture(Image& img, const Canvas& sheet, int sx, int sy, bool keyed, int dx, int dy, uint8_t alpha = 255) {
  const auto& pal = PaletteColours();
  for (int y = 0; y < TileSize; y++)
    for (int x = 0; x < TileSize; x++) {
      const uint8_t v = Get(sheet, sx + x, sy + y);
      if (keyed && v == Clear) continue;
      img.Put(dx + x, dy + y, {pal[v].r, pal[v].g, pal[v].b, alpha});
    }
}

void Fill(Image& img, int x, int y, int w, int h, Rgba c) {
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) img.Put(x + i, y + j, c);
}

void Frame(Image& img, int x, int y, int w, int h, Rgba c) {
  Fill(img, x, y, w, 1, c);
  Fill(img, x, y + h - 1, w, 1, c);
  Fill(img, x, y + 1, 1, h - 2, c);
  Fill(img, x + w - 1, y + 1, 1, h - 2, c);
}

// A label in the 5 x 7 capitals on a black ground, its top left at (x, y).
void Label(Image& img, const Art& art, int x, int y, const std::string& text, Rgba c) {
  const int w = static_cast<int>(text.size()) * 6 + 1;
  Fill(img, x, y, w, 9, Alpha(Ink, 200));
  for (size_t k = 0; k < text.size(); k++) {
    const Grid& g = GridNamed(art.font, std::string(1, text[k]));
    for (int gy = 0; gy < 7; gy++)
      for (int gx = 0; gx < 5; gx++)
        if (g[gy][gx] == '#') img.Put(x + 1 + static_cast<int>(k) * 6 + gx, y + 1 + gy, c);
  }
}

// An enemy's picture shrunk, nearest pixel, to fit inside the tile.
void EnemyIcon(Image& img, const Canvas& sheet, const Rect& r, int dx, int dy) {
  int left = r.right, top = r.bottom, right = r.left, bottom = r.top;
  for (int y = r.top; y < r.bottom; y++)
    for (int x = r.left; x < r.right; x++)
      if (Get(sheet, x, y) != Clear) {
        left = std::min(left, x);
        right = std::max(right, x + 1);
        top = std::min(top, y);
        bottom = std::max(bottom, y + 1);
      }
  if (right <= left) return;
  const int side = std::max(right - left, bottom - top), room = TileSize - 4;
  const auto& pal = PaletteColours();
  const int x0 = dx + 2 + (room - (right - left) * room / side) / 2, y0 = dy + 2 + (room - (bottom - top) * room / side);
  for (int y = 0; y < (bottom - top) * room / side; y++)
    for (int x = 0; x < (right - left) * room / side; x++) {
      const uint8_t v = Get(sheet, left + x * side / room, top + y * side / room);
      if (v != Clear) img.Put(x0 + x, y0 + y, {pal[v].r, pal[v].g, pal[v].b, 255});
    }
}

void DrawTile(Image& img, const Art& art, const Canvas& tiles, const Canvas& enemies, int32_t value, int x, int y) {
  const std::string number = std::to_string(value);
  if (value >= 1000) {
    // Shows as stone until revealed; seen through, over the tile it becomes.
    CellPicture stone{};
    PictureOfCell(1, &stone);
    CopyPicture(img, tiles, stone.left, stone.top, false, x, y, 110);
    Frame(img, x, y, TileSize, TileSize, Cyan);
    Frame(img, x + 1, y + 1, TileSize - 2, TileSize - 2, Alpha(Cyan, 120));
    Label(img, art, x + 2, y + 2, "H" + std::to_string(HiddenGroup(value)), Cyan);
    return;
  }
  CellPicture picture{};
  if (PictureOfCell(value, &picture)) CopyPicture(img, tiles, picture.left, picture.top, picture.keyed, x, y);
  switch (KindOfCell(value)) {
    case CellKindSwitch:
      if (EventOfSwitch(value)) Label(img, art, x + 1, y + 1, std::to_string(EventOfSwitch(value)), Yellow);
      break;
    case CellKindGate:
      if (value > 158) Fill(img, x + 1, y + 1, TileSize - 2, TileSize - 2, Alpha(Ink, 90));
      Frame(img, x, y, TileSize, TileSize, Orange);
      Label(img, art, x + 1, y + TileSize - 10, number, Orange);
      break;
    case CellKindMarker:
      Fill(img, x + 1, y + 1, TileSize - 2, TileSize - 2, Alpha(Yellow, 60));
      Frame(img, x, y, TileSize, TileSize, Yellow);
      Frame(img, x + 1, y + 1, TileSize - 2, TileSize - 2, Yellow);
      Label(img, art, x + 2, y + 2, number, Yellow);
      // Whose scene: world A's events or world B's.
      Label(img, art, x + TileSize - 9, y + TileSize - 11, EventIsWorldA(value) ? "A" : "B", Yellow);
      break;
    case CellKindWalker:
    case CellKindThrower:
      EnemyIcon(img, enemies, value == CellWalker ? enemypics::Walker : enemypics::ThrowerWalk[0], x, y);
      Frame(img, x, y, TileSize, TileSize, Red);
      break;
    default:
      break;
  }
}

}  // namespace

std::vector<uint8_t> DrawTiledTilesetPng(const Art& art, const Canvas& tileSheet, const Canvas& enemySheet) {
  Image img{TilesetColumns * TileSize, TilesetRows * TileSize, {}};
  img.px.assign(static_cast<size_t>(img.w) * img.h, Rgba{0, 0, 0, 0});
  for (int id = 0; id < TilesetTileCount; id++) {
    const int32_t value = ValueOfTile(id);
    if (value != TileNoValue)
      DrawTile(img, art, tileSheet, enemySheet, value, (id % TilesetColumns) * TileSize, (id / TilesetColumns) * TileSize);
  }
  std::vector<uint8_t> rgba;
  rgba.reserve(img.px.size() * 4);
  for (const Rgba& p : img.px) rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
  return EncodePngPixels(img.w, img.h, true, rgba.data());
}
