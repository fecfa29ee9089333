// An 8-bit picture being drawn: palette indices, with the see-through index
// everywhere nothing has been drawn yet, and the few shapes every sheet uses.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

constexpr uint8_t Clear = 113;  // the see-through index of every bitmap

struct Canvas {
  int w = 0, h = 0;
  std::vector<uint8_t> px;
};

Canvas MakeCanvas(int w, int h, uint8_t fill = Clear);
inline bool Inside(const Canvas& c, int x, int y) { return x >= 0 && y >= 0 && x < c.w && y < c.h; }
inline uint8_t Get(const Canvas& c, int x, int y) { return Inside(c, x, y) ? c.px[y * c.w + x] : Clear; }
inline void Put(Canvas& c, int x, int y, uint8_t v) {
  if (Inside(c, x, y)) c.px[y * c.w + x] = v;
}

void FillRect(Canvas& c, int x, int y, int w, int h, uint8_t v);
void FrameRect(Canvas& c, int x, int y, int w, int h, uint8_t v);
// A line of the given thickness (a round brush for thickness above 1).
void Line(Canvas& c, double x0, double y0, double x1, double y1, uint8_t v, double thickness = 1);
void Disc(Canvas& c, double cx, double cy, double r, uint8_t v);
void Ellipse(Canvas& c, double cx, double cy, double rx, double ry, uint8_t v);
// Fills a polygon by pixel centres (even-odd rule).
void Polygon(Canvas& c, const std::vector<std::pair<double, double>>& pts, uint8_t v);
// A band between two circles about one centre, from angle a0 to a1 (degrees,
// 0 pointing right, growing clockwise on screen), painted by `shade`, which
// gets the position along the band (0..1) and across it (0 inner..1 outer).
template <typename Shade>
void Arc(Canvas& c, double cx, double cy, double r0, double r1, double a0, double a1, Shade shade);

// Gives every see-through pixel next to a drawn one (not counting `v` itself)
// the colour `v`: the dark rim that keeps sprites readable on any backdrop.
void Outline(Canvas& c, uint8_t v, bool diagonals = false);
// Copies the drawn pixels of `src` to (x, y) of `dst`.
void Stamp(Canvas& dst, const Canvas& src, int x, int y);
// Copies a rectangle, see-through pixels included.
void CopyRect(Canvas& dst, int dx, int dy, const Canvas& src, int sx, int sy, int w, int h);
Canvas Crop(const Canvas& src, int x, int y, int w, int h);
Canvas MirrorX(const Canvas& src);
Canvas Scale(const Canvas& src, int factor);

// Ordered 4 x 4 dithering: true where a pixel takes the second of two colours
// at a mix of t (0..1).
bool DitherAt(int x, int y, double t);

// A small deterministic random source for stars, noise and sound.
struct Rng {
  uint32_t state;
  uint32_t Next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  }
  double Unit() { return (Next() & 0xFFFFFF) / double(0x1000000); }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
};

// ---- template body ----

#include <cmath>

template <typename Shade>
void Arc(Canvas& c, double cx, double cy, double r0, double r1, double a0, double a1, Shade shade) {
  const int x0 = static_cast<int>(std::floor(cx - r1)), x1 = static_cast<int>(std::ceil(cx + r1));
  const int y0 = static_cast<int>(std::floor(cy - r1)), y1 = static_cast<int>(std::ceil(cy + r1));
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double r = std::sqrt(dx * dx + dy * dy);
      if (r < r0 || r > r1) continue;
      double a = std::atan2(dy, dx) * 180.0 / 3.14159265358979323846;
      // Bring the angle into the band's own range.
      while (a < a0) a += 360;
      while (a >= a0 + 360) a -= 360;
      if (a > a1) continue;
      const int v = shade(x, y, (a - a0) / (a1 - a0), (r - r0) / (r1 - r0));
      if (v >= 0) Put(c, x, y, static_cast<uint8_t>(v));
    }
}
