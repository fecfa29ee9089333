// The canvas and its shapes: rectangles, discs, lines, polygons and
// outlines, and copies, crops and mirrors between canvases.
#include "canvas.h"

#include <algorithm>
#include <cmath>

Canvas MakeCanvas(int w, int h, uint8_t fill) {
  Canvas c;
  c.w = w;
  c.h = h;
  c.px.assign(static_cast<size_t>(w) * h, fill);
  return c;
}

void FillRect(Canvas& c, int x, int y, int w, int h, uint8_t v) {
  for (int j = y; j < y + h; j++)
    for (int i = x; i < x + w; i++) Put(c, i, j, v);
}

void FrameRect(Canvas& c, int x, int y, int w, int h, uint8_t v) {
  FillRect(c, x, y, w, 1, v);
  FillRect(c, x, y + h - 1, w, 1, v);
  FillRect(c, x, y, 1, h, v);
  FillRect(c, x + w - 1, y, 1, h, v);
}

void Disc(Canvas& c, double cx, double cy, double r, uint8_t v) { Ellipse(c, cx, cy, r, r, v); }

void Ellipse(Canvas& c, double cx, double cy, double rx, double ry, uint8_t v) {
  if (rx <= 0 || ry <= 0) return;
  const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
  const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Put(c, x, y, v);
    }
}

void Line(Canvas& c, double x0, double y0, double x1, double y1, uint8_t v, double thickness) {
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int steps = std::max(1, static_cast<int>(std::ceil(len * 2)));
  for (int s = 0; s <= steps; s++) {
    const double t = static_cast<double>(s) / steps;
    const double x = x0 + (x1 - x0) * t, y = y0 + (y1 - y0) * t;
    if (thickness <= 1)
      Put(c, static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), v);
    else
      Disc(c, x, y, thickness / 2, v);
  }
}

void Polygon(Canvas& c, const std::vector<std::pair<double, double>>& pts, uint8_t v) {
  if (pts.size() < 3) return;
  double minY = pts[0].second, maxY = pts[0].second;
  for (auto& p : pts) {
    minY = std::min(minY, p.second);
    maxY = std::max(maxY, p.second);
  }
  for (int y = static_cast<int>(std::floor(minY)); y <= static_cast<int>(std::ceil(maxY)); y++) {
    const double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); i++) {
      auto [ax, ay] = pts[i];
      auto [bx, by] = pts[(i + 1) % pts.size()];
      if ((ay <= sy && by > sy) || (by <= sy && ay > sy)) xs.push_back(ax + (sy - ay) / (by - ay) * (bx - ax));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 <= xs[i + 1]; x++) Put(c, x, y, v);
  }
}

void Outline(Canvas& c, uint8_t v, bool diagonals) {
  const Canvas before = c;
  auto drawn = [&](int x, int y) {
    const uint8_t p = Get(before, x, y);
    return p != Clear && p != v;
  };
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++) {
      if (Get(before, x, y) != Clear) continue;
      bool near = drawn(x - 1, y) || drawn(x + 1, y) || drawn(x, y - 1) || drawn(x, y + 1);
      if (diagonals)
        near = near || drawn(x - 1, y - 1) || drawn(x + 1, y - 1) || drawn(x - 1, y + 1) || drawn(x + 1, y + 1);
      if (near) Put(c, x, y, v);
    }
}

void Stamp(Canvas& dst, const Canvas& src, int x, int y) {
  for (int j = 0; j < src.h; j++)
    for (int i = 0; i < src.w; i++) {
      const uint8_t p = src.px[j * src.w + i];
      if (p != Clear) Put(dst, x + i, y + j, p);
    }
}

void CopyRect(Canvas& dst, int dx, int dy, const Canvas& src, int sx, int sy, int w, int h) {
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) Put(dst, dx + i, dy + j, Get(src, sx + i, sy + j));
}

Canvas Crop(const Canvas& src, int x, int y, int w, int h) {
  Canvas c = MakeCanvas(w, h);
  CopyRect(c, 0, 0, src, x, y, w, h);
  return c;
}

Canvas MirrorX(const Canvas& src) {
  Canvas c = MakeCanvas(src.w, src.h);
  for (int y = 0; y < src.h; y++)
    for (int x = 0; x < src.w; x++) c.px[y * c.w + (c.w - 1 - x)] = src.px[y * src.w + x];
  return c;
}

Canvas Scale(const Canvas& src, int factor) {
  Canvas c = MakeCanvas(src.w * factor, src.h * factor);
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++) c.px[y * c.w + x] = src.px[(y / factor) * src.w + x / factor];
  return c;
}

bool DitherAt(int x, int y, double t) {
  static const int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return t * 16 > Bayer[y & 3][x & 3] + 0.5;
}
