// SPDX-License-Identifier: MIT
// The maker's marks: gathered from a map, painted on a canvas.
#include "editor/stage_marks.h"

#include <algorithm>
#include <cstring>

#include "stage/cell_kinds.h"
#include "stage/stage_map.h"

const uint8_t MarkColourRgb[MarkColours][3] = {{255, 40, 40}, {255, 255, 0}, {0, 255, 255}, {80, 255, 80}};

namespace {

// The walker's picture stands 68 above its cell's corner, the thrower's is
// centred on it: where each appears when its cell comes into view.
constexpr int16_t WalkerSheet[4] = {0, 0, 100, 80};
constexpr int16_t ThrowerSheet[4] = {0, 100, 64, 64};
constexpr int32_t WalkerRise = 68, ThrowerShift = 32;

// Both characters stand at x 320 with their feet at y 287 of the bottom band.
constexpr int32_t StartX = 320, StartFeet = 287, StartWidth = 21, StartHeight = 53;

struct Gatherer {
  StageMark* out;
  int most;
  int count;
};

void Put(Gatherer* g, const StageMark& m) {
  if (g->count < g->most) g->out[g->count] = m;
  g->count++;
}

StageMark Frame(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t colour, bool dashed = false) {
  return StageMark{static_cast<uint8_t>(dashed ? MarkDashedFrame : MarkFrame), colour, x, y, w, h, 0, 0, 0};
}

StageMark Number(int32_t x, int32_t y, int32_t value, uint8_t colour) {
  return StageMark{MarkNumber, colour, x, y, 0, 0, value, 0, 0};
}

// Digits 3 x 5, a row of three bits each, top row first.
constexpr const char* Digits[10] = {"111101101101111", "010110010010111", "111001111100111", "111001111001111",
                                    "101101111001001", "111100111001111", "111100111101111", "111001001001001",
                                    "111101111101111", "111101111001111"};

void Fill(MarkCanvas* c, int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* ink) {
  const int32_t x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int32_t x1 = std::min(x + w, c->width), y1 = std::min(y + h, c->height);
  for (int32_t row = y0; row < y1; row++) {
    uint8_t* p = c->pixels + static_cast<int64_t>(row) * c->pitch + static_cast<int64_t>(x0) * c->bytesPerPixel;
    if (c->bytesPerPixel == 1) {
      std::memset(p, ink[0], static_cast<size_t>(std::max(0, x1 - x0)));
      continue;
    }
    for (int32_t col = x0; col < x1; col++, p += c->bytesPerPixel) std::memcpy(p, ink, c->bytesPerPixel);
  }
}

// A line of a frame, from (x, y) `length` pixels along; dashed in fours
// counted from the frame's corner, so that a scroll keeps the pattern.
void Line(MarkCanvas* c, int32_t x, int32_t y, int32_t length, bool across, const uint8_t* ink, bool dashed) {
  if (!dashed) {
    if (across) Fill(c, x, y, length, 1, ink);
    else Fill(c, x, y, 1, length, ink);
    return;
  }
  for (int32_t i = 0; i < length; i += 8) {
    const int32_t n = std::min(4, length - i);
    if (across) Fill(c, x + i, y, n, 1, ink);
    else Fill(c, x, y + i, 1, n, ink);
  }
}

}  // namespace

int CollectStageMarks(const StageMap* map, int32_t firstRow, int32_t rows, int32_t firstColumn, int32_t columns,
                      StageMark* out, int most) {
  Gatherer g{out, most, 0};
  const int32_t r0 = std::max(firstRow, 0), r1 = std::min(firstRow + rows, map->height);
  const int32_t c0 = std::max(firstColumn, 0), c1 = std::min(firstColumn + columns, map->width);
  // The enemies first, under every frame.
  for (int32_t r = r0; r < r1; r++)
    for (int32_t c = c0; c < c1; c++) {
      const int32_t v = CellAt(map, r, c), x = c * CellSize, y = r * CellSize;
      if (v == CellWalker)
        Put(&g, {MarkWalkerPicture, MarkEnemy, x, y - WalkerRise, WalkerSheet[2], WalkerSheet[3], 0, WalkerSheet[0],
                 WalkerSheet[1]});
      else if (v == CellThrower)
        Put(&g, {MarkThrowerPicture, MarkEnemy, x - ThrowerShift, y - ThrowerShift, ThrowerSheet[2], ThrowerSheet[3],
                 0, ThrowerSheet[0], ThrowerSheet[1]});
    }
  for (int32_t r = r0; r < r1; r++)
    for (int32_t c = c0; c < c1; c++) {
      const int32_t v = CellAt(map, r, c), x = c * CellSize, y = r * CellSize;
      if (v == CellWalker || v == CellThrower) Put(&g, Frame(x, y, CellSize, CellSize, MarkEnemy));
      if (KindOfCell(v) == CellKindHidden) {
        Put(&g, Frame(x + 1, y + 1, CellSize - 2, CellSize - 2, MarkHidden));
        Put(&g, Number(x + 4, y + 4, HiddenGroup(v), MarkHidden));
      }
      if (EventOfSwitch(v) != 0) Put(&g, Number(x + 4, y + 4, EventOfSwitch(v), MarkEvent));
    }
  // Markers, and the scenes they place: 21 columns from 10 left of the
  // marker, 15 rows down.
  const int32_t left = c0 * CellSize, right = c1 * CellSize, top = r0 * CellSize, bottom = r1 * CellSize;
  for (int32_t m = 0; m < map->eventCount; m++) {
    const int32_t r = map->eventCells[m] / map->width, c = map->eventCells[m] % map->width;
    const int32_t x = c * CellSize, y = r * CellSize;
    if (r >= r0 && r < r1 && c >= c0 && c < c1) {
      Put(&g, Frame(x, y, CellSize, CellSize, MarkEvent));
      Put(&g, Number(x + 4, y + 4, map->eventValues[m], MarkEvent));
    }
    const int32_t sx = (c - SceneMarkerColumn) * CellSize, sw = SceneColumns * CellSize, sh = SceneRows * CellSize;
    if (sx < right && sx + sw > left && y < bottom && y + sh > top) Put(&g, Frame(sx, y, sw, sh, MarkEvent, true));
  }
  const int32_t feet = (map->height - ViewRows) * CellSize + StartFeet;
  const int32_t sx = StartX - StartWidth / 2, sy = feet - StartHeight + 1;
  if (sx < right && sx + StartWidth > left && sy < bottom && sy + StartHeight > top)
    Put(&g, Frame(sx, sy, StartWidth, StartHeight, MarkStart));
  return g.count;
}

void PaintCanvasBox(MarkCanvas* c, int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* ink) {
  Fill(c, x, y, w, h, ink);
}

void PaintCanvasFrame(MarkCanvas* c, int32_t x, int32_t y, int32_t w, int32_t h, const uint8_t* ink, bool dashed) {
  // Nothing of a frame wholly off the canvas is looked at.
  if (x >= c->width || y >= c->height || x + w <= 0 || y + h <= 0) return;
  Line(c, x, y, w, true, ink, dashed);
  Line(c, x, y + h - 1, w, true, ink, dashed);
  Line(c, x, y, h, false, ink, dashed);
  Line(c, x + w - 1, y, h, false, ink, dashed);
}

void PaintStageMark(const StageMark& m, MarkCanvas* c) {
  const int32_t x = m.x + c->originX, y = m.y + c->originY;
  const uint8_t* ink = c->ink[m.colour < MarkColours ? m.colour : 0];
  switch (m.shape) {
    case MarkFrame:
    case MarkDashedFrame: PaintCanvasFrame(c, x, y, m.width, m.height, ink, m.shape == MarkDashedFrame); break;
    case MarkNumber: {
      char text[12];
      int n = 0;
      for (uint32_t v = static_cast<uint32_t>(m.value < 0 ? -m.value : m.value); n == 0 || v > 0; v /= 10)
        text[n++] = static_cast<char>('0' + v % 10);
      const int32_t s = c->digitScale ? c->digitScale : 1;
      // A black box a pixel wider than the digits all round, then the digits.
      Fill(c, x - s, y - s, (4 * n + 1) * s, 7 * s, c->black);
      for (int k = 0; k < n; k++) {
        const char* glyph = Digits[text[n - 1 - k] - '0'];
        for (int j = 0; j < 5; j++)
          for (int i = 0; i < 3; i++)
            if (glyph[j * 3 + i] == '1') Fill(c, x + (k * 4 + i) * s, y + j * s, s, s, ink);
      }
      break;
    }
    default: break;
  }
}
