// The two enemies: the horned beast that walks into the swordsman, and the
// walking night flower that lobs seed bombs.
#include <cmath>

#include "palette.h"
#include "sheet_layout.h"
#include "sheets.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

// The beast facing left. The game puts the picture's (50, 50) on the enemy's
// position; its feet rest on row 75, the bottom of its collision box.
Canvas Beast() {
  Canvas c = MakeCanvas(100, 80);
  const uint8_t furDark = C("fur", 2), fur = C("fur", 5), furLight = C("fur", 8);
  // Far legs.
  for (double lx : {40.0, 74.0}) {
    Line(c, lx, 52, lx - 2, 66, furDark, 7);
    Line(c, lx - 2, 66, lx - 3, 73, furDark, 5);
    FillRect(c, static_cast<int>(lx) - 7, 72, 8, 4, C("grey", 2));
  }
  // Tail.
  Line(c, 86, 36, 95, 30, fur, 4);
  Line(c, 95, 30, 97, 22, furDark, 3);
  // Body: a humped mass, shaded from the back down.
  for (int y = 0; y < 80; y++)
    for (int x = 0; x < 100; x++) {
      const double dx = (x + 0.5 - 56) / 33.0, dy = (y + 0.5 - 42) / (x < 56 ? 22.0 : 18.0);
      if (dx * dx + dy * dy > 1) continue;
      const double shade = 0.5 - dy * 0.45 - dx * 0.1;
      uint8_t v = shade > 0.75 ? furLight : shade > 0.35 ? fur : furDark;
      if (shade > 0.35 && shade <= 0.75 && DitherAt(x, y, (shade - 0.35) * 2.5 - 0.5)) v = furLight;
      Put(c, x, y, v);
    }
  // Mane of spines along the back.
  for (int k = 0; k < 7; k++) {
    const double bx = 34 + k * 8, by = 22 + std::abs(k - 2) * 1.5;
    Polygon(c, {{bx - 4, by + 4}, {bx + 4, by + 4}, {bx + 2, by - 8 + (k % 2) * 3}}, C("dusk", 3));
    Line(c, bx, by + 2, bx + 2, by - 6 + (k % 2) * 3, C("dusk", 6));
  }
  // Head, low and forward, with a jaw and tusks.
  Ellipse(c, 22, 46, 16, 13, fur);
  Ellipse(c, 20, 42, 12, 8, furLight);
  Ellipse(c, 12, 54, 10, 6, furDark);
  Polygon(c, {{6, 50}, {3, 42}, {9, 49}}, C("paper", 7));
  Polygon(c, {{16, 53}, {14, 45}, {19, 52}}, C("paper", 6));
  // Horns sweeping back over the head.
  Arc(c, 30, 40, 12, 16, -170, -60, [](int, int, double along, double) {
    return static_cast<int>(along < 0.7 ? C("paper", 5) : C("paper", 7));
  });
  Arc(c, 26, 44, 14, 17, -165, -95, [](int, int, double, double) { return static_cast<int>(C("paper", 3)); });
  // Burning eye.
  Ellipse(c, 14, 41, 3, 2, C("red", 11));
  Put(c, 13, 41, C("gold", 9));
  Put(c, 14, 41, White);
  // Near legs, with claws.
  for (double lx : {30.0, 64.0}) {
    Line(c, lx, 52, lx + 1, 64, fur, 9);
    Line(c, lx + 1, 64, lx, 72, fur, 7);
    FillRect(c, static_cast<int>(lx) - 5, 72, 10, 4, C("grey", 3));
    for (int k = 0; k < 3; k++) Put(c, static_cast<int>(lx) - 5 + k * 3, 75, C("paper", 6));
  }
  Outline(c, C("shadow", 0));
  return c;
}

// The flower seen from the front, so that it serves both facings. `step`
// moves its root feet; `reach` opens its leaf arms (0 at rest, 1 thrown wide);
// `seed` shows a seed bomb held above the head.
Canvas Flower(int w, int step, double reach, bool seed, double lean) {
  Canvas c = MakeCanvas(w, 64);
  const double cx = w / 2.0;
  // Root feet: three tendrils, shifted by the walking step.
  static const double Feet[4][3] = {{-12, 0, 12}, {-15, 2, 9}, {-12, 0, 12}, {-9, -2, 15}};
  for (int k = 0; k < 3; k++) {
    const double fx = cx + Feet[step][k], lift = (step % 2 == 1 && k == (step == 1 ? 0 : 2)) ? 3 : 0;
    Line(c, cx + (k - 1) * 3, 46, fx, 60 - lift, C("moss", 2), 4);
    Line(c, fx, 60 - lift, fx + (k - 1) * 3, 63 - lift, C("moss", 3), 3);
  }
  // Stem and a swelling where the roots meet.
  Line(c, cx + lean * 4, 24, cx, 48, C("moss", 4), 6);
  Line(c, cx + lean * 4 - 1, 26, cx - 1, 46, C("moss", 6), 1);
  Ellipse(c, cx, 47, 7, 4, C("moss", 3));
  // Leaf arms.
  for (int side : {-1, 1}) {
    const double ax = cx + side * (10 + 20 * reach), ay = 36 - 16 * reach;
    Polygon(c, {{cx + side * 2, 38}, {ax, ay - 4}, {ax + side * 4, ay + 1}, {cx + side * 3, 42}}, C("moss", 5));
    Line(c, cx + side * 2, 40, ax, ay - 1, C("moss", 7));
  }
  // The bloom: eight crimson petals round a gold maw with teeth.
  const double hx = cx + lean * 6, hy = 17;
  for (int k = 0; k < 8; k++) {
    const double a = k * Pi / 4 + Pi / 8;
    const double px = hx + std::cos(a) * 10, py = hy + std::sin(a) * 9;
    Ellipse(c, px, py, 7, 6, C("red", 6));
    Ellipse(c, px - std::cos(a) * 1.5, py - std::sin(a) * 1.5 - 1, 4.5, 3.5, C("red", 9));
  }
  Disc(c, hx, hy, 8, C("gold", 6));
  Disc(c, hx, hy + 1, 6, C("shadow", 1));
  for (int k = -2; k <= 2; k++) {
    Put(c, static_cast<int>(hx) + 2 * k, static_cast<int>(hy) - 4, C("paper", 7));
    Put(c, static_cast<int>(hx) + 2 * k, static_cast<int>(hy) - 3, C("paper", 5));
    Put(c, static_cast<int>(hx) + 2 * k + 1, static_cast<int>(hy) + 5, C("paper", 6));
  }
  Put(c, static_cast<int>(hx) - 3, static_cast<int>(hy) - 1, C("red", 11));
  Put(c, static_cast<int>(hx) + 3, static_cast<int>(hy) - 1, C("red", 11));
  if (seed) {  // held up on the tip of a leaf
    const double sx = cx + (10 + 20 * reach) + 2, sy = 36 - 16 * reach - 9;
    Disc(c, sx, sy + 1, 4, C("fur", 2));
    Disc(c, sx - 1, sy, 2, C("fur", 5));
    Put(c, static_cast<int>(sx), static_cast<int>(sy) - 4, C("fire", 13));
  }
  Outline(c, C("shadow", 0));
  return c;
}

Canvas Seed() {
  Canvas c = MakeCanvas(32, 32);
  Ellipse(c, 16, 17, 9, 10, C("fur", 2));
  Ellipse(c, 14, 15, 6, 7, C("fur", 4));
  Ellipse(c, 12, 13, 2.5, 3, C("fur", 7));
  // Glowing seams.
  Line(c, 16, 8, 15, 26, C("fire", 9));
  Line(c, 10, 14, 22, 20, C("fire", 7));
  Put(c, 16, 17, C("fire", 14));
  // A sprouting fuse with its spark.
  Line(c, 16, 7, 19, 3, C("moss", 6), 2);
  Disc(c, 20, 2.5, 1.5, C("fire", 13));
  Put(c, 20, 2, White);
  Outline(c, C("shadow", 0));
  return c;
}

}  // namespace

Canvas DrawEnemySheet() {
  using namespace enemypics;
  Canvas s = MakeCanvas(EnemySheetW, EnemySheetH);
  Stamp(s, Beast(), Walker.left, Walker.top);
  Stamp(s, Seed(), SeedCell.left, SeedCell.top);
  for (int k = 0; k < 3; k++) {
    const Rect& r = ThrowerWalk[k];
    Stamp(s, Flower(r.Width(), k == 0 ? 0 : k == 1 ? 1 : 3, 0.1, false, 0), r.left, r.top);
  }
  Stamp(s, Flower(ThrowerWindUp[0].Width(), 0, 0.45, true, -0.6), ThrowerWindUp[0].left, ThrowerWindUp[0].top);
  Stamp(s, Flower(ThrowerWindUp[1].Width(), 0, 1.0, true, 0.3), ThrowerWindUp[1].left, ThrowerWindUp[1].top);
  return s;
}

Canvas DrawGEnemySheet(const Canvas& enemySheet) {
  using namespace enemypics;
  Canvas s = MakeCanvas(GEnemySheetW, GEnemySheetH);
  Stamp(s, MirrorX(Crop(enemySheet, Walker.left, Walker.top, Walker.Width(), Walker.Height())), 0, 0);
  return s;
}
