// SPDX-License-Identifier: MIT
// The marks drawn over a stage for its maker, shared by the editor and the
// map viewer: an enemy cell shows its enemy and a red frame; a switch the
// event it starts; an event marker a yellow frame with its event and the
// dashed outline of the part of the map its scene shows; a hidden cell a
// cyan frame with its group; and a green frame where both characters start.
// The marks are gathered as plain records in map pixels; each caller
// copies the enemy pictures from its own sheet and paints the rest on its
// own picture, an 8-bit screen or an RGB image, through a MarkCanvas.
#pragma once

#include <cstdint>

struct StageMap;

enum MarkColour : uint8_t { MarkEnemy, MarkEvent, MarkHidden, MarkStart, MarkColours };
// Red, yellow, cyan, green.
extern const uint8_t MarkColourRgb[MarkColours][3];

enum MarkShape : uint8_t {
  MarkFrame,
  MarkDashedFrame,
  MarkNumber,
  MarkWalkerPicture,
  MarkThrowerPicture,
};

struct StageMark {
  uint8_t shape;
  uint8_t colour;
  int32_t x, y;           // map pixels: from the map's left edge and its top row's top
  int32_t width, height;  // a frame's; a picture's
  int32_t value;          // a number's
  int16_t sheetLeft, sheetTop;  // a picture's place on the enemy sheet
};

// Marks of the cells in the rows and columns given, the outlines of the
// scenes that cross them and the start's frame, with the enemy pictures
// first (painted under every frame). The map is one as the loader leaves
// it (markers in their lists). Writes at most `most`; returns how many
// there are.
int CollectStageMarks(const StageMap* map, int32_t firstRow, int32_t rows, int32_t firstColumn, int32_t columns,
                      StageMark* out, int most);

// A picture to paint on: one byte a pixel (a palette index) or three (red,
// green, blue).
struct MarkCanvas {
  uint8_t* pixels;
  int32_t width, height, pitch;  // pitch in bytes
  uint8_t bytesPerPixel;
  uint8_t ink[MarkColours][3];   // each mark colour as the canvas holds it
  uint8_t black[3];              // behind numbers
  int32_t originX, originY;      // where the map's (0, 0) lies on the canvas
  uint8_t digitScale;            // 1: digits of 3 x 5 pixels
};
// Frames and numbers; pictures are left to the caller.
void PaintStageMark(const StageMark& mark, MarkCanvas* canvas);
// A frame or a filled box in a colour of the canvas's own, for the
// caller's own marks (a cursor, a selection).
void PaintCanvasFrame(MarkCanvas* canvas, int32_t x, int32_t y, int32_t width, int32_t height, const uint8_t* ink,
                      bool dashed);
void PaintCanvasBox(MarkCanvas* canvas, int32_t x, int32_t y, int32_t width, int32_t height, const uint8_t* ink);
