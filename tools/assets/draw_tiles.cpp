// The tile sheet: map tiles, gates, pick-ups and the title screen's pieces.
#include <cmath>

#include "palette.h"
#include "sheet_layout.h"
#include "sheets.h"

namespace {

// Stone bricks in two courses, the upper one offset, each brick lit along
// its top and left edge; `seed` varies the speckle.
void Bricks(Canvas& c, int x0, int y0, uint32_t seed) {
  Rng rng{seed};
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) {
      const int course = y / 16;
      const int bx = (x + (course ? 8 : 0)) % 16;
      const int by = y % 16;
      uint8_t v;
      if (by == 15 || bx == 15)
        v = C("stone", 1);
      else if (by == 0 || bx == 0)
        v = C("stone", 6);
      else if (by == 14 || bx == 14)
        v = C("stone", 3);
      else
        v = C("stone", 4 + (rng.Below(7) == 0 ? 1 : 0) - (rng.Below(9) == 0 ? 1 : 0));
      Put(c, x0 + x, y0 + y, v);
    }
}

void GroundPlain(Canvas& c, int x0, int y0) { Bricks(c, x0, y0, 7); }

// Bricks under a cap of moss whose lower edge hangs unevenly.
void GroundMossy(Canvas& c, int x0, int y0) {
  Bricks(c, x0, y0, 11);
  static const int Hang[32] = {5, 6, 7, 6, 5, 5, 6, 8, 9, 8, 6, 5, 5, 6, 7, 7,
                                6, 5, 6, 8, 10, 9, 7, 6, 5, 5, 6, 7, 6, 5, 5, 6};
  for (int x = 0; x < 32; x++)
    for (int y = 0; y <= Hang[x]; y++) {
      uint8_t v = y == 0 ? C("moss", 8) : y == 1 ? C("moss", 7) : y == Hang[x] ? C("moss", 2) : C("moss", 5);
      if (y > 1 && y < Hang[x] && ((x * 7 + y * 3) % 11 == 0)) v = C("moss", 7);
      Put(c, x0 + x, y0 + y, v);
    }
}

void Spikes(Canvas& c, int x0, int y0) {
  // A base plate, then four blades, lit on their left side.
  FillRect(c, x0, y0 + 26, 32, 6, C("stone", 2));
  FillRect(c, x0, y0 + 26, 32, 1, C("stone", 5));
  for (int k = 0; k < 4; k++) {
    const double cx = x0 + 4 + 8 * k;
    for (int y = 2; y < 26; y++) {
      const double half = 3.6 * (y - 2) / 24.0;
      for (int x = static_cast<int>(std::floor(cx - half)); x <= static_cast<int>(std::ceil(cx + half)) - 1; x++) {
        const double rel = (x + 0.5 - cx) / std::max(0.5, half);
        Put(c, x, y0 + y, rel < -0.3 ? C("grey", 12) : rel < 0.3 ? C("grey", 9) : C("grey", 5));
      }
    }
    Put(c, static_cast<int>(cx), y0 + 1, C("red", 10));
    Put(c, static_cast<int>(cx), y0 + 2, C("red", 8));
  }
}

// A pressure stone: a block with a rune plate set in its top.
void SwitchBlock(Canvas& c, int x0, int y0, bool pressed) {
  FillRect(c, x0, y0, 32, 32, C("stone", 3));
  FrameRect(c, x0, y0, 32, 32, C("stone", 1));
  FillRect(c, x0 + 1, y0 + 1, 30, 1, C("stone", 7));
  FillRect(c, x0 + 1, y0 + 1, 1, 30, C("stone", 6));
  // Carved ring on the face.
  Arc(c, x0 + 16, y0 + 19, 5, 8, 0, 360, [&](int, int, double, double) {
    return static_cast<int>(pressed ? C("stone", 2) : C("gold", 4));
  });
  const int plateY = pressed ? 5 : 2;
  const uint8_t plate = pressed ? C("gold", 3) : C("gold", 8);
  FillRect(c, x0 + 6, y0 + plateY, 20, 4, plate);
  FillRect(c, x0 + 6, y0 + plateY, 20, 1, pressed ? C("gold", 4) : C("gold", 9));
  FillRect(c, x0 + 6, y0 + plateY + 3, 20, 1, pressed ? C("gold", 1) : C("gold", 5));
  if (!pressed) {
    Disc(c, x0 + 16, y0 + 19, 2.5, C("glow", 10));
    Put(c, x0 + 16, y0 + 19, White);
  } else {
    Disc(c, x0 + 16, y0 + 19, 2.5, C("stone", 2));
  }
}

// The goal: an altar stone carrying a glowing crescent. Drawn wholly opaque,
// since the game copies it without the see-through key.
void GoalStone(Canvas& c, int x0, int y0) {
  for (int y = 0; y < 32; y++)
    for (int x = 0; x < 32; x++) Put(c, x0 + x, y0 + y, DitherAt(x, y, y / 40.0) ? C("night", 1) : C("night", 4));
  FrameRect(c, x0, y0, 32, 32, C("gold", 5));
  FillRect(c, x0 + 1, y0 + 1, 30, 1, C("gold", 8));
  Disc(c, x0 + 16, y0 + 16, 11, C("glow", 3));
  Disc(c, x0 + 16, y0 + 16, 9, C("glow", 6));
  Disc(c, x0 + 16, y0 + 16, 8, C("glow", 10));
  Disc(c, x0 + 19, y0 + 14, 7, C("glow", 3));  // the bite that makes a crescent
  Disc(c, x0 + 20, y0 + 13, 5.5, C("glow", 5));
  Put(c, x0 + 9, y0 + 12, White);
  Put(c, x0 + 10, y0 + 19, White);
  for (int i = 0; i < 4; i++) Put(c, x0 + 4 + i * 8, y0 + 28, C("gold", 7));
}

// A portcullis under a stone lintel; `raised` 0 is shut, 3 fully up.
void Gate(Canvas& c, int x0, int y0, int raised) {
  const int bottom = 64 - 18 * raised;  // first row below the bars' tips
  const int lintel = 6;
  for (int k = 0; k < 4; k++) {
    const int bx = x0 + 3 + k * 8;
    for (int y = lintel; y < bottom; y++) {
      Put(c, bx, y0 + y, C("grey", 8));
      Put(c, bx + 1, y0 + y, C("grey", 5));
      Put(c, bx + 2, y0 + y, C("grey", 3));
    }
    if (bottom > lintel + 2) {  // sharpened tips
      Put(c, bx + 1, y0 + bottom, C("grey", 7));
      Put(c, bx, y0 + bottom - 1, C("grey", 10));
    }
  }
  for (int rail = bottom - 10; rail > lintel; rail -= 16) {
    FillRect(c, x0 + 1, y0 + rail, 30, 3, C("grey", 4));
    FillRect(c, x0 + 1, y0 + rail, 30, 1, C("grey", 9));
    for (int k = 0; k < 4; k++) Put(c, x0 + 4 + k * 8, y0 + rail + 1, C("grey", 11));
  }
  Outline(c, C("shadow", 0));
  FillRect(c, x0, y0, 32, lintel, C("stone", 5));
  FillRect(c, x0, y0, 32, 1, C("stone", 8));
  FillRect(c, x0, y0 + lintel - 1, 32, 1, C("stone", 1));
  for (int x = 0; x < 32; x += 8) Put(c, x0 + x, y0 + 2, C("stone", 2));
}

void DrawCoin(Canvas& c, int x0, int y0) {
  for (int y = 0; y < 11; y++)
    for (int x = 0; x < 11; x++) {
      const double dx = x - 5, dy = y - 5;
      const double d = std::sqrt(dx * dx + dy * dy);
      if (d > 5.4) continue;
      uint8_t v;
      if (d > 4.5)
        v = C("gold", 2);
      else if (dx + dy < -3)
        v = C("gold", 9);
      else if (dx + dy > 3)
        v = C("gold", 5);
      else
        v = C("gold", 7);
      Put(c, x0 + x, y0 + y, v);
    }
  // A square hole, as old coins have.
  FillRect(c, x0 + 4, y0 + 4, 3, 3, C("gold", 3));
  Put(c, x0 + 5, y0 + 5, C("gold", 1));
}

void OutlinedText(Canvas& sheet, const Art& art, const Rect& r, const char* text, int scale, int gap,
                  const char* ramp) {
  Canvas t = MakeCanvas(r.Width(), r.Height());
  const int w = TextWidth(text, scale, gap);
  const int x = (r.Width() - w) / 2, y = (r.Height() - 7 * scale) / 2;
  DrawCapitals(t, art, x, y, text, scale, gap, [&](int row) { return CF(ramp, 1.0 - 0.5 * row / (7.0 * scale)); });
  Outline(t, C("shadow", 1), true);
  Stamp(sheet, t, r.left, r.top);
}

}  // namespace

int TextWidth(const char* text, int scale, int gap) {
  int n = 0;
  for (const char* p = text; *p; p++) n++;
  return n == 0 ? 0 : n * (5 * scale + gap) - gap;
}

Canvas DrawTileSheet(const Art& art) {
  using namespace tilepics;
  Canvas s = MakeCanvas(TileSheetW, TileSheetH);
  SwitchBlock(s, Switch.left, Switch.top, false);
  SwitchBlock(s, SwitchPressed.left, SwitchPressed.top, true);
  Spikes(s, Hazard.left, Hazard.top);
  GroundPlain(s, Ground1.left, Ground1.top);
  GroundMossy(s, Ground2.left, Ground2.top);
  GoalStone(s, Goal.left, Goal.top);
  for (int k = 0; k < 4; k++) {
    Canvas g = MakeCanvas(32, 64);
    Gate(g, 0, 0, k);
    Stamp(s, g, 32 * k, GateTop);
  }
  DrawCoin(s, Coin.left, Coin.top);
  Stamp(s,
        GridToCanvas(GridNamed(art.pickups, "heart"),
                     {{'o', C("red", 3)}, {'r', C("red", 11)}, {'d', C("red", 7)}, {'R', C("pink", 3)}}),
        Heart.left, Heart.top);

  // Loading caption: the word, then three dots.
  {
    Canvas t = MakeCanvas(LoadingCaption.Width(), LoadingCaption.Height());
    auto ink = [](int row) { return CF("grey", 1.0 - 0.4 * row / 14.0); };
    const int w = DrawCapitals(t, art, 4, 1, "LOADING", 2, 2, ink);
    for (int i = 0; i < 3; i++) FillRect(t, 4 + w + 4 + i * 6, 11, 2, 2, C("grey", 10));
    Outline(t, C("shadow", 1), true);
    Stamp(s, t, LoadingCaption.left, LoadingCaption.top);
  }
  OutlinedText(s, art, TitleCaption, "PRESS ENTER", 2, 1, "gold");

  // Title logo: the two words in the colours of the two worlds.
  {
    const Rect& r = TitleLogo;
    Canvas t = MakeCanvas(r.Width(), r.Height());
    const int scale = 5, gap = 4;
    const int w = TextWidth("TWIN WORLDS", scale, gap);
    const int x = (r.Width() - w) / 2, y = 5;
    auto shade = [](const char* ramp) {
      return [ramp](int row) {
        const double t = row / 35.0;
        if (row % 5 == 0 && row < 10) return C(ramp, RampLength(ramp) - 1);
        return CF(ramp, 0.95 - 0.6 * t);
      };
    };
    const int w1 = DrawCapitals(t, art, x, y, "TWIN", scale, gap, shade("glow"));
    DrawCapitals(t, art, x + w1 + gap + 5 * scale + gap, y, "WORLDS", scale, gap, shade("dusk"));
    Outline(t, C("night", 6), true);
    Outline(t, C("shadow", 0), true);
    // A thin rule under the name with a crescent at its middle.
    FillRect(t, x, y + 35 + 5, w, 1, C("night", 9));
    Disc(t, r.Width() / 2.0, y + 40.5, 3, C("glow", 9));
    Disc(t, r.Width() / 2.0 + 1.5, y + 39.5, 2.4, Clear);
    Stamp(s, t, r.left, r.top);
  }
  return s;
}
