// The drawing of every bitmap the game loads.
#pragma once

#include "canvas.h"
#include "pixel_grids.h"

// The text-kept pictures the sheets are drawn from.
struct Art {
  GridSet font;      // 5 x 7 capitals and digits
  GridSet japanese;  // 12 x 12 characters of the skill names
  GridSet digits;    // small-N and large-N
  GridSet pickups;   // the heart
};

Canvas DrawCharSheet();
// Every picture of the character sheet mirrored within its own rectangle.
Canvas MirrorCharSheet(const Canvas& sheet);
Canvas DrawTileSheet(const Art& art);
Canvas DrawEnemySheet();
// The walker of the enemy sheet, turned to face right.
Canvas DrawGEnemySheet(const Canvas& enemySheet);
Canvas DrawExplodeSheet();
Canvas DrawBackground();
// The skill menu's picture; the English one names the skills in English.
Canvas DrawStatusScreen(const Art& art, const Canvas& charSheet, bool english);
Canvas DrawCursor();
Canvas DrawSmallDigits(const Art& art);
Canvas DrawLargeDigits(const Art& art);

// Text in the 5 x 7 capitals, each pixel `scale` wide; `ink` gets the row of
// the glyph's pixel (0..7*scale-1) and gives its colour. Returns the width.
// Glyphs stand `gap` pixels apart.
int TextWidth(const char* text, int scale, int gap);
template <typename Ink>
int DrawCapitals(Canvas& c, const Art& art, int x, int y, const char* text, int scale, int gap, Ink ink);

// Clears, in the sheet, every strip where two of the given rectangles
// overlap: such strips belong to two pictures and must show in neither.
template <size_t N>
void ClearSharedStrips(Canvas& sheet, const struct Rect (&rects)[N]);

// ---- template bodies ----

#include "sheet_layout.h"

template <typename Ink>
int DrawCapitals(Canvas& c, const Art& art, int x, int y, const char* text, int scale, int gap, Ink ink) {
  int pen = x;
  for (const char* p = text; *p; p++) {
    if (*p != ' ') {
      const Grid& g = GridNamed(art.font, std::string(1, *p));
      for (int gy = 0; gy < 7; gy++)
        for (int gx = 0; gx < 5; gx++)
          if (g[gy][gx] == '#')
            for (int sy = 0; sy < scale; sy++)
              for (int sx = 0; sx < scale; sx++) Put(c, pen + gx * scale + sx, y + gy * scale + sy, ink(gy * scale + sy));
    }
    pen += 5 * scale + gap;
  }
  return pen - x - gap;
}

template <size_t N>
void ClearSharedStrips(Canvas& sheet, const Rect (&rects)[N]) {
  for (size_t i = 0; i < N; i++)
    for (size_t j = i + 1; j < N; j++) {
      const Rect& a = rects[i];
      const Rect& b = rects[j];
      if (!Overlap(a, b)) continue;
      const int l = a.left > b.left ? a.left : b.left, r = a.right < b.right ? a.right : b.right;
      const int t = a.top > b.top ? a.top : b.top, bo = a.bottom < b.bottom ? a.bottom : b.bottom;
      FillRect(sheet, l, t, r - l, bo - t, Clear);
    }
}
