// The skill menu screen, its cursor and the two digit sheets.
#include <cmath>
#include <string>

#include "palette.h"
#include "sheet_layout.h"
#include "sheets.h"

namespace {

// A panel with a lit top-left edge and a shadowed bottom-right one.
void Panel(Canvas& c, int x, int y, int w, int h, uint8_t face, uint8_t light, uint8_t dark) {
  FillRect(c, x, y, w, h, face);
  FillRect(c, x, y, w, 1, light);
  FillRect(c, x, y, 1, h, light);
  FillRect(c, x, y + h - 1, w, 1, dark);
  FillRect(c, x + w - 1, y, 1, h, dark);
}

void Japanese(Canvas& c, const Art& art, int x, int y, const std::string& text, uint8_t ink) {
  // Text is UTF-8: each character is one glyph of the set.
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = text[i];
    const size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    Stamp(c, InkGrid(GridNamed(art.japanese, text.substr(i, len)), ink), x, y);
    x += 13;
    i += len;
  }
}

// Skill pictures, 56 x 56, on a dark ground.
void SkillIcon(Canvas& c, int x0, int y0, int skill) {
  Canvas icon = MakeCanvas(56, 56);
  auto swoosh = [&](double cx, double cy, double r0, double r1, double a0, double a1, bool leadAtEnd) {
    Arc(icon, cx, cy, r0, r1, a0, a1, [&](int x, int y, double along, double across) {
      const double s = (leadAtEnd ? along : 1 - along) * (0.4 + 0.6 * across);
      if (!DitherAt(x, y, std::min(1.0, s * 1.7))) return -1;
      return static_cast<int>(s > 0.6 ? C("glow", 11) : s > 0.35 ? C("glow", 8) : C("glow", 5));
    });
  };
  auto blade = [&](double x0b, double y0b, double x1b, double y1b) {
    Line(icon, x0b, y0b, x1b, y1b, C("grey", 11), 3);
    Line(icon, x0b, y0b - 1, x1b, y1b - 1, C("grey", 13), 1);
  };
  switch (skill) {
    case 0:  // vertical slash: an arc from above coming down in front
      swoosh(18, 34, 16, 30, -90, 10, true);
      blade(20, 36, 48, 38);
      break;
    case 1:  // horizontal slash: a flat crescent
      for (int y = 0; y < 56; y++)
        for (int x = 0; x < 56; x++) {
          const double ox = (x - 20) / 32.0, oy = (y - 28) / 14.0, ix = (x - 16) / 26.0, iy = (y - 30) / 7.0;
          if (ox * ox + oy * oy <= 1 && ix * ix + iy * iy >= 1 && x > 20 && DitherAt(x, y, (x - 14) / 36.0))
            Put(icon, x, y, x > 40 ? C("glow", 11) : C("glow", 7));
        }
      blade(14, 30, 50, 30);
      break;
    case 2:  // upward slash: an arc climbing from below
      swoosh(18, 30, 16, 30, -70, 60, false);
      blade(20, 30, 44, 10);
      break;
    case 3:  // downward thrust: a blade plunging, with speed lines
      for (int k : {20, 24, 32, 36})
        for (int y = 8; y < 44; y++)
          if (DitherAt(k, y, y / 50.0)) Put(icon, k, y, C("glow", 8));
      blade(28, 6, 28, 48);
      Polygon(icon, {{22, 44}, {34, 44}, {28, 52}}, C("glow", 11));
      break;
    case 4:  // more hit points: a heart with a plus
      for (int y = 0; y < 56; y++)
        for (int x = 0; x < 56; x++) {
          const double u = (x - 28) / 16.0, v = -(y - 30) / 16.0;
          const double h = std::pow(u * u + v * v - 1, 3) - u * u * v * v * v;
          if (h <= 0) Put(icon, x, y, (u + v > 0.3) ? C("red", 11) : C("red", 8));
        }
      FillRect(icon, 38, 8, 12, 4, C("gold", 9));
      FillRect(icon, 42, 4, 4, 12, C("gold", 9));
      break;
  }
  Outline(icon, C("shadow", 0));
  Stamp(c, icon, x0, y0);
}

}  // namespace

Canvas DrawStatusScreen(const Art& art, const Canvas& charSheet, bool english) {
  using namespace menu;
  Canvas c = MakeCanvas(640, 480);
  // A dark ground with a faint diagonal weave.
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) Put(c, x, y, ((x + y) % 8 == 0 || (x - y + 960) % 8 == 0) ? C("night", 3) : C("night", 1));
  FrameRect(c, 2, 2, 636, 476, C("gold", 6));
  FrameRect(c, 4, 4, 632, 472, C("gold", 3));

  static const char* const Names[5] = {"縦斬り", "横斬り", "斬り上げ", "下突き", "最大"};
  // The English names take two lines of capitals where the Japanese take one.
  static const char* const EnglishNames[5][2] = {
      {"VERTICAL", "SLASH"}, {"HORIZONTAL", "SLASH"}, {"UPWARD", "SLASH"}, {"DOWNWARD", "THRUST"}, {"MAX HP", ""}};
  for (int row = 0; row < 5; row++)
    for (int col = 0; col < 3; col++) {
      const int index = col + 3 * row;
      const int x = col * CellPitchX + 6, y = row * CursorPitchY + 10;
      const bool offered = index < 5;
      Panel(c, x, y, 128, 65, offered ? C("night", 6) : C("night", 2), offered ? C("night", 11) : C("night", 4),
            C("shadow", 0));
      // The picture well that the cursor frames.
      const int wx = col * CellPitchX + CursorX + 4, wy = row * CursorPitchY + CursorY + 4;
      Panel(c, wx - 1, wy - 1, 58, 58, offered ? C("shadow", 1) : C("night", 1), C("shadow", 0),
            offered ? C("night", 9) : C("night", 3));
      if (!offered) {
        // An empty seat: a dim ring.
        Arc(c, wx + 28, wy + 28, 9, 11, 0, 360, [](int, int, double, double) { return static_cast<int>(C("night", 4)); });
        continue;
      }
      SkillIcon(c, wx, wy, index);
      if (english) {
        for (int line = 0; line < 2; line++)
          DrawCapitals(c, art, col * CellPitchX + 74, row * CursorPitchY + 19 + 10 * line, EnglishNames[index][line],
                       1, 1, [](int) { return C("paper", 7); });
      } else {
        Japanese(c, art, col * CellPitchX + 74, row * CursorPitchY + 18, Names[index], C("paper", 7));
      }
      if (index == 4 && !english)
        DrawCapitals(c, art, col * CellPitchX + 74 + 2 * 13 + 1, row * CursorPitchY + 21, "HP", 1, 1,
                     [](int) { return C("paper", 7); });
      // "LV" before the level digits the game draws.
      DrawCapitals(c, art, col * CellPitchX + LevelX - 16, row * DigitPitchY + LevelY + 5, "LV", 1, 1,
                   [](int) { return C("gold", 7); });
    }

  // The right-hand column: hit points, their maximum and the skill points.
  Panel(c, 400, 10, 232, 325, C("night", 4), C("night", 9), C("shadow", 0));
  auto label = [&](int x, int y, const char* text) {
    Canvas t = MakeCanvas(120, 20);
    DrawCapitals(t, art, 1, 1, text, 2, 2, [](int row) { return CF("gold", 1.0 - 0.4 * row / 14.0); });
    Outline(t, C("shadow", 0), true);
    Stamp(c, t, x - 1, y - 1);
  };
  label(HpX + 27, HpY - 20, "HP");
  label(MaxHpX + 27, MaxHpY - 20, "MAX");
  label(SpX - 46, SpY + 10, "SP");
  // A slash between the hit points and their maximum.
  Line(c, 499, 82, 506, 52, C("gold", 7), 2);
  // Wells under the large digits.
  for (auto [x, y] : {std::pair{HpX + 24, HpY - 2}, {MaxHpX + 24, MaxHpY - 2}, {SpX - 4, SpY - 2}}) {
    FillRect(c, x, y + 36, SpX == x + 4 ? 116 : 88, 2, C("gold", 4));
  }
  // The swordsman in a frame, twice life size.
  Panel(c, 440, 190, 152, 136, C("shadow", 1), C("shadow", 0), C("night", 8));
  for (int y = 0; y < 134; y++)
    for (int x = 0; x < 150; x++)
      if (DitherAt(x, y, 0.15 + y / 300.0)) Put(c, 441 + x, 191 + y, C("night", 3));
  Disc(c, 560, 222, 14, C("paper", 6));
  Disc(c, 566, 218, 12, C("shadow", 1));
  Stamp(c, Scale(Crop(charSheet, 0, 0, 64, 64), 2), 452, 198);

  // The description panel: pale, since the game writes on it in black.
  Panel(c, 8, 340, 624, 132, C("paper", 6), C("paper", 7), C("paper", 2));
  FrameRect(c, 10, 342, 620, 128, C("paper", 4));
  return c;
}

Canvas DrawCursor() {
  Canvas c = MakeCanvas(CursorW, CursorH);
  FrameRect(c, 0, 0, 64, 64, C("gold", 3));
  FrameRect(c, 1, 1, 62, 62, C("gold", 9));
  FrameRect(c, 2, 2, 60, 60, C("gold", 6));
  // Heavier corners.
  for (auto [x, y] : {std::pair{0, 0}, {52, 0}, {0, 52}, {52, 52}}) {
    FillRect(c, x + (x ? 0 : 3), y + (y ? 9 : 3), 9, 3, C("gold", 8));
    FillRect(c, x + (x ? 9 : 3), y + (y ? 0 : 3), 3, 9, C("gold", 8));
  }
  for (auto [x, y] : {std::pair{3, 3}, {60, 3}, {3, 60}, {60, 60}}) Put(c, x, y, White);
  return c;
}

Canvas DrawSmallDigits(const Art& art) {
  Canvas c = MakeCanvas(SmallDigitsW, SmallDigitsH);
  for (int g = 0; g < 10; g++) {
    Canvas glyph = MakeCanvas(9, 17);
    const Grid& grid = GridNamed(art.digits, "small-" + std::to_string(g));
    for (int y = 0; y < 11; y++)
      for (int x = 0; x < 7; x++)
        if (grid[y][x] == '#') Put(glyph, x + 1, y + 3, CF("paper", 1.0 - 0.45 * y / 10.0));
    Outline(glyph, C("shadow", 0), true);
    Stamp(c, glyph, g == 0 ? 0 : 10 * g + 1, 0);
  }
  return c;
}

Canvas DrawLargeDigits(const Art& art) {
  Canvas c = MakeCanvas(LargeDigitsW, LargeDigitsH);
  for (int g = 0; g < 10; g++) {
    Canvas glyph = MakeCanvas(26, 34);
    const Grid& grid = GridNamed(art.digits, "large-" + std::to_string(g));
    for (int y = 0; y < 30; y++)
      for (int x = 0; x < 22; x++)
        if (grid[y / 2][x / 2] == '#') {
          const double t = y / 29.0;
          uint8_t v = CF("gold", 1.0 - 0.55 * t);
          if (y < 2) v = C("gold", 9);
          Put(glyph, x + 2, y + 2, v);
        }
    Outline(glyph, C("fire", 2), true);
    Outline(glyph, C("shadow", 0), true);
    Stamp(c, glyph, 27 * g, 0);
  }
  // The combo banner's caption.
  {
    Canvas t = MakeCanvas(menu::ComboCaption.Width(), menu::ComboCaption.Height());
    const int w = TextWidth("COMBO", 3, 1);
    DrawCapitals(t, art, (t.w - w) / 2, 34 - 2 - 21, "COMBO", 3, 1,
                 [](int row) { return CF("glow", 1.0 - 0.5 * row / 21.0); });
    Outline(t, C("night", 6), true);
    Outline(t, C("shadow", 0), true);
    Stamp(c, t, menu::ComboCaption.left, 0);
  }

  return c;
}
