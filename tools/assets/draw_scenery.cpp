// The explosion frames and the night scene behind the stages.
#include <algorithm>
#include <cmath>

#include "palette.h"
#include "sheet_layout.h"
#include "sheets.h"

namespace {
constexpr double Pi = 3.14159265358979323846;
}

Canvas DrawExplodeSheet() {
  Canvas s = MakeCanvas(ExplodeSheetW, ExplodeSheetH);
  for (int f = 0; f < 9; f++) {
    Canvas c = MakeCanvas(64, 64);
    const double t = f / 8.0;
    // A fireball that swells quickly, then thins into smoke that drifts up.
    const double radius = 8 + 22 * std::sqrt(t);
    const double heat = std::max(0.0, 1.0 - t * 1.25);
    const double density = f < 5 ? 1.0 : 1.0 - (f - 4) * 0.2;
    Rng rng{static_cast<uint32_t>(91 + f)};
    // Puffs round the rim give the ball a lumpy edge.
    double puffX[10], puffY[10], puffR[10];
    for (int k = 0; k < 10; k++) {
      const double a = k * 2 * Pi / 10 + rng.Unit() * 0.5;
      puffX[k] = 32 + std::cos(a) * radius * 0.7;
      puffY[k] = 32 + std::sin(a) * radius * 0.7 - t * 6;
      puffR[k] = radius * (0.35 + 0.15 * rng.Unit());
    }
    for (int y = 0; y < 64; y++)
      for (int x = 0; x < 64; x++) {
        const double dx = x + 0.5 - 32, dy = y + 0.5 - 32 + t * 4;
        double inside = 1 - std::sqrt(dx * dx + dy * dy) / (radius * 0.8);
        for (int k = 0; k < 10; k++) {
          const double px = x + 0.5 - puffX[k], py = y + 0.5 - puffY[k];
          inside = std::max(inside, 1 - std::sqrt(px * px + py * py) / puffR[k]);
        }
        if (inside <= 0) continue;
        if (!DitherAt(x, y, std::min(1.0, density * (0.4 + inside * 1.5)))) continue;
        // Hot core, cooling outwards; as the heat goes, smoke takes over.
        const double warmth = inside * 1.3 * heat + heat * 0.25;
        uint8_t v;
        if (warmth > 0.85)
          v = White;
        else if (warmth > 0.6)
          v = C("fire", 14);
        else if (warmth > 0.4)
          v = C("fire", 11);
        else if (warmth > 0.22)
          v = C("fire", 7);
        else if (warmth > 0.1)
          v = C("fire", 4);
        else
          v = inside > 0.5 ? C("dusk", 3) : C("dusk", 5);
        Put(c, x, y, v);
      }
    // Sparks thrown outwards.
    if (f >= 1 && f <= 6) {
      Rng sp{static_cast<uint32_t>(7 + f)};
      for (int k = 0; k < 10; k++) {
        const double a = sp.Unit() * 2 * Pi, d = radius + 2 + sp.Unit() * 6;
        Put(c, static_cast<int>(32 + std::cos(a) * d), static_cast<int>(32 + std::sin(a) * d), C("fire", 13));
      }
    }
    Stamp(s, c, 64 * f, 0);
  }
  return s;
}

Canvas DrawBackground() {
  Canvas c = MakeCanvas(640, 480);
  // Sky: deep at the top, a faint glow towards the horizon.
  const int skyLevels = RampLength("night");
  for (int y = 0; y < 480; y++)
    for (int x = 0; x < 640; x++) {
      const double t = std::pow(y / 480.0, 1.4) * (skyLevels - 6);
      const int base = static_cast<int>(t);
      Put(c, x, y, C("night", base + (DitherAt(x, y, t - base) ? 1 : 0)));
    }
  // Stars, fewer near the horizon.
  Rng rng{2024};
  for (int k = 0; k < 170; k++) {
    const int x = rng.Below(640), y = rng.Below(300);
    if (rng.Below(300) < y) continue;
    const int bright = rng.Below(10);
    Put(c, x, y, bright == 0 ? C("glow", 10) : bright < 4 ? C("grey", 9) : C("night", 12));
    if (bright == 0) {
      Put(c, x - 1, y, C("night", 10));
      Put(c, x + 1, y, C("night", 10));
      Put(c, x, y - 1, C("night", 10));
      Put(c, x, y + 1, C("night", 10));
    }
  }
  // The moon with a dithered halo.
  const double mx = 486, my = 92;
  for (int y = 40; y < 150; y++)
    for (int x = 430; x < 545; x++) {
      const double d = std::hypot(x + 0.5 - mx, y + 0.5 - my);
      if (d < 27) {
        double lit = 1 - (x + 0.5 - mx + (y + 0.5 - my) * 0.4) / 60;
        uint8_t v = lit > 1.05 ? C("paper", 7) : lit > 0.85 ? C("paper", 6) : C("paper", 5);
        Put(c, x, y, v);
      } else if (d < 46 && DitherAt(x, y, (46 - d) / 50)) {
        Put(c, x, y, C("night", 10));
      }
    }
  for (auto [cx, cy, r] : {std::tuple{478.0, 86.0, 5.0}, {494.0, 101.0, 3.5}, {489.0, 78.0, 2.5}, {472.0, 100.0, 2.0}})
    Disc(c, cx, cy, r, C("paper", 4));
  // Far mountains, then a nearer ridge, each a shade darker.
  auto ridge = [&](double base, double amp, double f1, double f2, double phase, uint8_t v, uint8_t rim) {
    for (int x = 0; x < 640; x++) {
      const double top = base - amp * (0.6 * std::sin(x * f1 + phase) + 0.4 * std::sin(x * f2 + phase * 2.1)) -
                         amp * 0.5 * std::abs(std::sin(x * f1 * 2.7 + phase));
      for (int y = static_cast<int>(top); y < 480; y++) Put(c, x, y, y == static_cast<int>(top) ? rim : v);
    }
  };
  ridge(300, 46, 0.011, 0.027, 0.5, C("dusk", 2), C("dusk", 4));
  ridge(352, 30, 0.017, 0.041, 2.0, C("dusk", 1), C("dusk", 2));
  // Pines along the near ridge.
  Rng trees{77};
  for (int k = 0; k < 26; k++) {
    const double tx = k * 25 + trees.Below(14), h = 22 + trees.Below(26);
    const double ground = 385 + trees.Below(12);
    Polygon(c, {{tx, ground - h}, {tx - h * 0.28, ground}, {tx + h * 0.28, ground}}, C("shadow", 1));
    Line(c, tx, ground - h, tx, ground + 4, C("shadow", 1), 2);
  }
  // The valley floor in a mist.
  for (int y = 392; y < 480; y++)
    for (int x = 0; x < 640; x++) {
      const double mist = 0.5 + 0.5 * std::sin(x * 0.02 + y * 0.07);
      Put(c, x, y, DitherAt(x, y, mist * (480 - y) / 160.0) ? C("night", 5) : C("shadow", 1));
    }
  return c;
}
