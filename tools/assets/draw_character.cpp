// The swordsman: one small jointed figure, posed for every picture, so that
// all poses share one build, one set of colours and one rim.
#include <cmath>

#include "palette.h"
#include "sheet_layout.h"
#include "sheets.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

struct P {
  double x, y;
};

// Joint positions in picture coordinates of a frame whose reference point
// (the game's x, y of the character) is at (32, 32) and whose feet rest on
// row 56. Front means the side the character faces (right).
struct Pose {
  P head, neck, hip;
  P frontKnee, frontFoot, backKnee, backFoot;
  P frontElbow, frontHand, backElbow, backHand;
  double swordAngle;  // degrees, 0 pointing right, 90 pointing down
  double swordLength;
  bool swordBehind;
  double scarfLift;  // how far the scarf's tail flies up (0 hangs)
  bool eyesShut;
};

P Add(P a, double dx, double dy) { return P{a.x + dx, a.y + dy}; }

void Boot(Canvas& c, P foot, uint8_t colour) {
  FillRect(c, static_cast<int>(std::floor(foot.x - 2)), static_cast<int>(std::floor(foot.y)), 6, 3, colour);
}

void Sword(Canvas& c, P hand, double angle, double length) {
  const double a = angle * Pi / 180;
  const double ux = std::cos(a), uy = std::sin(a);
  // Pommel and grip behind the hand, guard across the blade.
  Line(c, hand.x - ux * 4, hand.y - uy * 4, hand.x + ux * 2, hand.y + uy * 2, C("earth", 4), 2);
  Line(c, hand.x + ux * 3 - uy * 3, hand.y + uy * 3 + ux * 3, hand.x + ux * 3 + uy * 3, hand.y + uy * 3 - ux * 3,
       C("gold", 6), 2);
  const P base{hand.x + ux * 4, hand.y + uy * 4};
  const P tip{hand.x + ux * length, hand.y + uy * length};
  Line(c, base.x, base.y, tip.x, tip.y, C("grey", 10), 3);
  // The lit edge on the upper side of the blade.
  Line(c, base.x + uy * 0.8, base.y - ux * 0.8, tip.x + uy * 0.3, tip.y - ux * 0.3, C("grey", 13), 1);
  Put(c, static_cast<int>(std::floor(tip.x)), static_cast<int>(std::floor(tip.y)), C("glow", 11));
}

Canvas DrawFigure(int w, int h, const Pose& p) {
  Canvas c = MakeCanvas(w, h);
  const uint8_t coat = C("cloth", 5), coatDark = C("cloth", 3), coatLight = C("cloth", 7);
  const uint8_t legs = C("grey", 4), legsDark = C("grey", 2);
  const uint8_t boots = C("earth", 3), bootsDark = C("earth", 1);
  const uint8_t skin = C("skin", 4), skinShade = C("skin", 2);
  const uint8_t hair = C("night", 5), hairLight = C("dusk", 4);
  const uint8_t scarf = C("red", 9), scarfDark = C("red", 6);

  // Scarf tail streaming back from the neck.
  {
    const P n = Add(p.neck, -1, 1);
    P prev = n;
    for (int i = 1; i <= 5; i++) {
      const P q{n.x - i * 2.6, n.y + 1 + i * (1.6 - p.scarfLift) + std::sin(i * 1.3) * 0.8};
      Line(c, prev.x, prev.y, q.x, q.y, i > 3 ? scarfDark : scarf, i > 3 ? 2 : 3);
      prev = q;
    }
  }
  // Far arm and leg, in shade.
  Line(c, p.neck.x, p.neck.y + 2, p.backElbow.x, p.backElbow.y, coatDark, 3);
  Line(c, p.backElbow.x, p.backElbow.y, p.backHand.x, p.backHand.y, coatDark, 3);
  Disc(c, p.backHand.x, p.backHand.y, 1.6, skinShade);
  Line(c, p.hip.x, p.hip.y, p.backKnee.x, p.backKnee.y, legsDark, 4);
  Line(c, p.backKnee.x, p.backKnee.y, p.backFoot.x, p.backFoot.y - 1, legsDark, 4);
  Boot(c, p.backFoot, bootsDark);

  if (p.swordBehind) Sword(c, p.frontHand, p.swordAngle, p.swordLength);

  // Body: a coat from the neck to below the hips.
  Line(c, p.neck.x, p.neck.y + 2, p.hip.x, p.hip.y, coat, 8);
  Polygon(c,
          {{p.hip.x - 5, p.hip.y - 2},
           {p.hip.x + 5, p.hip.y - 2},
           {p.hip.x + 6, p.hip.y + 5},
           {p.hip.x - 6, p.hip.y + 5}},
          coat);
  Line(c, p.neck.x + 2, p.neck.y + 3, p.hip.x + 2, p.hip.y - 2, coatLight, 1);
  // Belt.
  Line(c, p.hip.x - 4, p.hip.y - 1, p.hip.x + 4, p.hip.y - 1, C("earth", 5), 2);
  Put(c, static_cast<int>(p.hip.x), static_cast<int>(p.hip.y - 2), C("gold", 7));

  // Near leg.
  Line(c, p.hip.x, p.hip.y + 1, p.frontKnee.x, p.frontKnee.y, legs, 4);
  Line(c, p.frontKnee.x, p.frontKnee.y, p.frontFoot.x, p.frontFoot.y - 1, legs, 4);
  Boot(c, p.frontFoot, boots);

  // Head: face to the front, hair swept back.
  Disc(c, p.head.x, p.head.y, 5.5, skin);
  Disc(c, p.head.x - 1.5, p.head.y - 1.5, 5.2, hair);
  Polygon(c,
          {{p.head.x - 5, p.head.y - 3},
           {p.head.x - 10, p.head.y - 1},
           {p.head.x - 6, p.head.y + 1},
           {p.head.x - 9, p.head.y + 4},
           {p.head.x - 4, p.head.y + 3}},
          hair);
  Line(c, p.head.x - 3, p.head.y - 5, p.head.x + 2, p.head.y - 5, hairLight, 1);
  FillRect(c, static_cast<int>(p.head.x) + 1, static_cast<int>(p.head.y) - 1, 4, 5, skin);
  Put(c, static_cast<int>(p.head.x) + 1, static_cast<int>(p.head.y) + 3, skinShade);
  if (p.eyesShut) {
    Line(c, p.head.x + 2, p.head.y, p.head.x + 4, p.head.y, C("shadow", 0));
  } else {
    Put(c, static_cast<int>(p.head.x) + 3, static_cast<int>(p.head.y), C("shadow", 0));
    Put(c, static_cast<int>(p.head.x) + 3, static_cast<int>(p.head.y) - 1, C("shadow", 0));
  }
  // Scarf round the neck.
  Line(c, p.neck.x - 3, p.neck.y, p.neck.x + 3, p.neck.y, scarf, 3);

  // Near arm and the sword in its hand.
  Line(c, p.neck.x + 1, p.neck.y + 2, p.frontElbow.x, p.frontElbow.y, coat, 3);
  Line(c, p.frontElbow.x, p.frontElbow.y, p.frontHand.x, p.frontHand.y, coat, 3);
  if (!p.swordBehind) Sword(c, p.frontHand, p.swordAngle, p.swordLength);
  Disc(c, p.frontHand.x, p.frontHand.y, 1.7, skin);

  Outline(c, C("shadow", 0));
  return c;
}

// A standing build that the poses below bend.
Pose Base() {
  Pose p{};
  p.head = {33, 10};
  p.neck = {32, 17};
  p.hip = {31, 34};
  p.frontKnee = {34, 45};
  p.frontFoot = {35, 54};
  p.backKnee = {28, 45};
  p.backFoot = {27, 54};
  p.backElbow = {28, 25};
  p.backHand = {29, 32};
  p.frontElbow = {36, 26};
  p.frontHand = {40, 32};
  p.swordAngle = 62;
  p.swordLength = 24;
  p.swordBehind = false;
  p.scarfLift = 0;
  return p;
}

// A swoosh behind a swinging blade: bright at its leading edge and outer rim,
// broken up by dithering towards its tail.
void Swoosh(Canvas& c, double cx, double cy, double r0, double r1, double a0, double a1, bool leadAtEnd) {
  Arc(c, cx, cy, r0, r1, a0, a1, [&](int x, int y, double along, double across) {
    const double age = leadAtEnd ? 1 - along : along;  // 0 at the blade
    const double strength = (1 - age) * (0.35 + 0.65 * across);
    if (!DitherAt(x, y, std::min(1.0, strength * 1.6))) return -1;
    if (strength > 0.7) return static_cast<int>(C("glow", 11));
    if (strength > 0.45) return static_cast<int>(C("glow", 9));
    return static_cast<int>(C("glow", 6));
  });
}

// Horizontal streaks along a thrust or lunge.
void Streaks(Canvas& c, int x0, int x1, const int* rows, int count, bool vertical) {
  for (int i = 0; i < count; i++)
    for (int k = x0; k <= x1; k++) {
      const double t = static_cast<double>(k - x0) / std::max(1, x1 - x0);
      if (!DitherAt(k, rows[i], 0.3 + 0.7 * t)) continue;
      const uint8_t v = t > 0.6 ? C("glow", 10) : C("glow", 7);
      if (vertical)
        Put(c, rows[i], k, v);
      else
        Put(c, k, rows[i], v);
    }
}

void Place(Canvas& sheet, const Rect& r, const Canvas& pic) { Stamp(sheet, Crop(pic, 0, 0, r.Width(), r.Height()), r.left, r.top); }

}  // namespace

Canvas DrawCharSheet() {
  using namespace charpics;
  Canvas sheet = MakeCanvas(CharSheetW, CharSheetH);

  Place(sheet, Stand, DrawFigure(64, 64, Base()));
  {
    Pose p = Base();
    p.frontKnee = {38, 44};
    p.frontFoot = {42, 54};
    p.backKnee = {26, 46};
    p.backFoot = {21, 53};
    p.frontElbow = {34, 26};
    p.frontHand = {35, 33};
    p.backElbow = {31, 25};
    p.backHand = {35, 30};
    p.head = Add(p.head, 1, 0);
    p.scarfLift = 0.6;
    Place(sheet, Walk1, DrawFigure(64, 64, p));
  }
  {
    Pose p = Base();
    p.frontKnee = {28, 45};
    p.frontFoot = {23, 53};
    p.backKnee = {35, 44};
    p.backFoot = {40, 54};
    p.frontElbow = {38, 25};
    p.frontHand = {43, 30};
    p.backElbow = {25, 26};
    p.backHand = {23, 31};
    p.head = Add(p.head, 1, 0);
    p.scarfLift = 0.6;
    Place(sheet, Walk3, DrawFigure(64, 64, p));
  }
  {  // Back to a wall on the left, a hand and a foot against it.
    Pose p = Base();
    p.head = {29, 12};
    p.neck = {27, 19};
    p.hip = {27, 35};
    p.backElbow = {24, 16};
    p.backHand = {23, 9};
    p.backKnee = {26, 44};
    p.backFoot = {24, 52};
    p.frontKnee = {34, 40};
    p.frontFoot = {31, 49};
    p.frontElbow = {33, 27};
    p.frontHand = {38, 31};
    p.swordAngle = 75;
    p.scarfLift = 1.6;
    Place(sheet, Cling, DrawFigure(64, 64, p));
  }
  {  // Jumping: knees drawn up, sword held high behind.
    Pose p = Base();
    p.head = {33, 9};
    p.neck = {32, 16};
    p.hip = {31, 31};
    p.frontKnee = {38, 38};
    p.frontFoot = {35, 47};
    p.backKnee = {29, 41};
    p.backFoot = {24, 48};
    p.frontElbow = {38, 21};
    p.frontHand = {43, 19};
    p.backElbow = {26, 22};
    p.backHand = {22, 26};
    p.swordAngle = -35;
    p.swordLength = 20;
    p.scarfLift = 2.2;
    Place(sheet, Jump, DrawFigure(64, 64, p));
  }
  {  // Struck: thrown back, eyes shut, arms flung.
    Pose p = Base();
    p.head = {27, 13};
    p.neck = {28, 20};
    p.hip = {32, 35};
    p.frontKnee = {38, 44};
    p.frontFoot = {41, 54};
    p.backKnee = {29, 45};
    p.backFoot = {24, 54};
    p.frontElbow = {37, 18};
    p.frontHand = {43, 12};
    p.backElbow = {21, 22};
    p.backHand = {15, 20};
    p.swordAngle = -75;
    p.swordLength = 14;
    p.eyesShut = true;
    p.scarfLift = 2.4;
    Canvas pic = DrawFigure(64, 64, p);
    // A burst where the blow landed.
    for (int i = 0; i < 8; i++) {
      const double a = i * Pi / 4;
      Line(pic, 46 + std::cos(a) * 3, 30 + std::sin(a) * 3, 46 + std::cos(a) * (i % 2 ? 5 : 8),
           30 + std::sin(a) * (i % 2 ? 5 : 8), C("gold", 8));
    }
    Place(sheet, Recoil, pic);
  }

  // Vertical slash: raised, then brought down in front.
  {
    Pose p = Base();
    p.frontElbow = {36, 17};
    p.frontHand = {32, 7};
    p.backElbow = {30, 19};
    p.backHand = {30, 9};
    p.swordAngle = 196;
    p.swordLength = 26;
    p.swordBehind = true;
    p.frontKnee = {37, 45};
    p.frontFoot = {40, 54};
    p.backKnee = {27, 45};
    p.backFoot = {23, 54};
    Place(sheet, Slash[0], DrawFigure(64, 64, p));
  }
  {
    Canvas pic = MakeCanvas(Slash[1].Width(), 64);
    Swoosh(pic, 38, 26, 30, 64, -100, 22, true);
    Pose p = Base();
    p.head = Add(p.head, 2, 1);
    p.neck = Add(p.neck, 2, 1);
    p.frontKnee = {39, 45};
    p.frontFoot = {43, 54};
    p.backKnee = {26, 46};
    p.backFoot = {21, 54};
    p.frontElbow = {40, 27};
    p.frontHand = {47, 34};
    p.backElbow = {34, 28};
    p.backHand = {44, 34};
    p.swordAngle = 4;
    p.swordLength = 44;
    Stamp(pic, DrawFigure(Slash[1].Width(), 64, p), 0, 0);
    Place(sheet, Slash[1], pic);
  }
  {
    Canvas pic = MakeCanvas(Slash[2].Width(), 64);
    Swoosh(pic, 38, 28, 34, 58, -30, 30, true);
    Pose p = Base();
    p.head = Add(p.head, 2, 2);
    p.neck = Add(p.neck, 2, 2);
    p.hip = Add(p.hip, 1, 1);
    p.frontKnee = {40, 46};
    p.frontFoot = {44, 54};
    p.backKnee = {26, 46};
    p.backFoot = {21, 54};
    p.frontElbow = {40, 29};
    p.frontHand = {46, 37};
    p.backElbow = {34, 30};
    p.backHand = {43, 37};
    p.swordAngle = 10;
    p.swordLength = 42;
    Stamp(pic, DrawFigure(Slash[2].Width(), 64, p), 0, 0);
    Place(sheet, Slash[2], pic);
  }

  // Horizontal slash: drawn back at the hip, swept through, lunging.
  {
    Pose p = Base();
    p.frontElbow = {30, 29};
    p.frontHand = {24, 36};
    p.backElbow = {27, 28};
    p.backHand = {22, 35};
    p.swordAngle = 176;
    p.swordLength = 24;
    p.swordBehind = true;
    p.frontKnee = {37, 45};
    p.frontFoot = {41, 54};
    p.backKnee = {27, 45};
    p.backFoot = {22, 54};
    Place(sheet, Sweep[0], DrawFigure(64, 64, p));
  }
  {
    Canvas pic = MakeCanvas(Sweep[1].Width(), 64);
    // A flat crescent swept in front at the height of the blade.
    for (int y = 0; y < 64; y++)
      for (int x = 40; x < pic.w; x++) {
        const double ox = (x + 0.5 - 36) / 62.0, oy = (y + 0.5 - 42) / 17.0;
        const double ix = (x + 0.5 - 34) / 48.0, iy = (y + 0.5 - 44) / 9.0;
        if (ox * ox + oy * oy > 1 || ix * ix + iy * iy < 1) continue;
        const double strength = std::min(1.0, (x - 40) / 50.0 + 0.25);
        if (!DitherAt(x, y, strength)) continue;
        Put(pic, x, y, strength > 0.8 ? C("glow", 11) : strength > 0.5 ? C("glow", 9) : C("glow", 6));
      }
    Pose p = Base();
    p.head = Add(p.head, 2, 1);
    p.neck = Add(p.neck, 2, 1);
    p.frontKnee = {39, 45};
    p.frontFoot = {44, 54};
    p.backKnee = {26, 46};
    p.backFoot = {20, 54};
    p.frontElbow = {41, 31};
    p.frontHand = {48, 40};
    p.backElbow = {33, 29};
    p.backHand = {28, 34};
    p.swordAngle = 0;
    p.swordLength = 42;
    Stamp(pic, DrawFigure(Sweep[1].Width(), 64, p), 0, 0);
    Place(sheet, Sweep[1], pic);
  }
  {
    Canvas pic = MakeCanvas(Sweep[2].Width(), 64);
    const int rows[] = {30, 35, 46, 51, 56};
    Streaks(pic, 56, 106, rows, 5, false);
    Pose p = Base();
    p.head = Add(p.head, 5, 3);
    p.neck = Add(p.neck, 5, 3);
    p.hip = Add(p.hip, 2, 2);
    p.frontKnee = {43, 46};
    p.frontFoot = {49, 54};
    p.backKnee = {25, 48};
    p.backFoot = {17, 54};
    p.frontElbow = {45, 33};
    p.frontHand = {53, 40};
    p.backElbow = {30, 30};
    p.backHand = {23, 32};
    p.swordAngle = 0;
    p.swordLength = 50;
    Stamp(pic, DrawFigure(Sweep[2].Width(), 64, p), 0, 0);
    Place(sheet, Sweep[2], pic);
  }

  // Upward slash: crouched low, swung up from the ground, held high.
  {
    Pose p = Base();
    p.head = {32, 15};
    p.neck = {31, 22};
    p.hip = {30, 37};
    p.frontKnee = {38, 44};
    p.frontFoot = {38, 54};
    p.backKnee = {24, 48};
    p.backFoot = {21, 54};
    p.frontElbow = {30, 33};
    p.frontHand = {25, 42};
    p.backElbow = {27, 32};
    p.backHand = {23, 40};
    p.swordAngle = 160;
    p.swordLength = 22;
    p.swordBehind = true;
    Place(sheet, Rising[0], DrawFigure(64, 64, p));
  }
  {
    Canvas pic = MakeCanvas(Rising[1].Width(), Rising[1].Height());
    Swoosh(pic, 38, 34, 30, 62, -40, 75, false);
    Pose p = Base();
    p.head = Add(p.head, 2, 2);
    p.neck = Add(p.neck, 2, 2);
    p.frontKnee = {39, 45};
    p.frontFoot = {43, 54};
    p.backKnee = {26, 46};
    p.backFoot = {21, 54};
    p.frontElbow = {42, 27};
    p.frontHand = {49, 33};
    p.backElbow = {34, 28};
    p.backHand = {46, 33};
    p.swordAngle = -24;
    p.swordLength = 44;
    Stamp(pic, DrawFigure(pic.w, pic.h, p), 0, 0);
    Place(sheet, Rising[1], pic);
  }
  {
    Canvas pic = MakeCanvas(Rising[2].Width(), Rising[2].Height());
    Swoosh(pic, 40, 38, 24, 66, -46, 22, false);
    Pose p = Base();
    p.head = Add(p.head, 1, -2);
    p.neck = Add(p.neck, 1, -2);
    p.hip = Add(p.hip, 0, -2);
    p.frontKnee = {35, 42};
    p.frontFoot = {37, 52};
    p.backKnee = {27, 44};
    p.backFoot = {24, 53};
    p.frontElbow = {41, 18};
    p.frontHand = {48, 15};
    p.backElbow = {37, 20};
    p.backHand = {45, 16};
    p.swordAngle = -26;
    p.swordLength = 37;
    p.scarfLift = 1.5;
    Stamp(pic, DrawFigure(pic.w, pic.h, p), 0, 0);
    Place(sheet, Rising[2], pic);
  }

  // Downward thrust: crouched in the air, the blade straight down below.
  {
    Canvas pic = MakeCanvas(Thrust.Width(), Thrust.Height());
    const int cols[] = {25, 29, 38, 42};
    Streaks(pic, 36, 66, cols, 4, true);
    Pose p = Base();
    p.head = {31, 6};
    p.neck = {31, 13};
    p.hip = {30, 27};
    p.frontKnee = {37, 30};
    p.frontFoot = {36, 39};
    p.backKnee = {26, 33};
    p.backFoot = {24, 41};
    p.frontElbow = {36, 22};
    p.frontHand = {33, 29};
    p.backElbow = {27, 22};
    p.backHand = {31, 28};
    p.swordAngle = 90;
    p.swordLength = 42;
    p.scarfLift = 3;
    Stamp(pic, DrawFigure(pic.w, pic.h, p), 0, 0);
    Place(sheet, Thrust, pic);
  }

  const Rect all[] = {Stand,    Walk1,    Walk3,    Cling,     Jump,      Recoil,    Slash[0],
                      Slash[1], Slash[2], Sweep[0], Sweep[1],  Sweep[2],  Rising[0], Rising[1],
                      Rising[2], Thrust};
  ClearSharedStrips(sheet, all);
  return sheet;
}

Canvas MirrorCharSheet(const Canvas& sheet) {
  using namespace charpics;
  const Rect all[] = {Stand,    Walk1,    Walk3,    Cling,     Jump,      Recoil,    Slash[0],
                      Slash[1], Slash[2], Sweep[0], Sweep[1],  Sweep[2],  Rising[0], Rising[1],
                      Rising[2], Thrust};
  Canvas out = MakeCanvas(sheet.w, sheet.h);
  for (const Rect& r : all) Stamp(out, MirrorX(Crop(sheet, r.left, r.top, r.Width(), r.Height())), r.left, r.top);
  ClearSharedStrips(out, all);
  return out;
}
