// GDI stand-in: device contexts on surfaces and on loaded bitmaps, pens,
// brushes, filled figures and text.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/picture/font.h"
#include "platform/picture/shown_picture.h"
#include "platform/picture/text_encoding.h"
#include "platform/win32/records.h"

namespace {

GdiObject MakeStock(GdiKind kind, COLORREF colour, bool nullStyle) {
  GdiObject o{};
  o.kind = kind;
  o.stock = true;
  o.colour = colour;
  o.nullStyle = nullStyle;
  o.width = 1;
  return o;
}

GdiObject StockWhiteBrush = MakeStock(GdiBrush, RGB(255, 255, 255), false);
GdiObject StockBlackBrush = MakeStock(GdiBrush, RGB(0, 0, 0), false);
GdiObject StockNullBrush = MakeStock(GdiBrush, 0, true);
GdiObject StockWhitePen = MakeStock(GdiPen, RGB(255, 255, 255), false);
GdiObject StockBlackPen = MakeStock(GdiPen, RGB(0, 0, 0), false);
GdiObject StockNullPen = MakeStock(GdiPen, 0, true);
GdiObject StockSystemFont = MakeStock(GdiFont, 0, false);

// The pixels a context draws on: a surface, or a memory context's bitmap.
struct Canvas {
  uint8_t* pixels;
  int width, height, pitch;
};

bool CanvasOf(HDC dc, Canvas* out) {
  if (!dc) return false;
  if (dc->surface) {
    *out = {dc->surface->pixels.data(), dc->surface->width, dc->surface->height, dc->surface->pitch};
    return true;
  }
  if (dc->bitmap && !dc->bitmap->bits.empty()) {
    *out = {dc->bitmap->bits.data(), dc->bitmap->bmWidth, dc->bitmap->bmHeight, dc->bitmap->bmWidth};
    return true;
  }
  return false;
}

void FillSpan(const Canvas& c, int y, int x0, int x1, uint8_t index) {
  if (y < 0 || y >= c.height) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, c.width);
  if (x0 < x1) std::memset(c.pixels + static_cast<size_t>(y) * c.pitch + x0, index, x1 - x0);
}

void PutPixel(const Canvas& c, int x, int y, uint8_t index) {
  if (x >= 0 && y >= 0 && x < c.width && y < c.height) c.pixels[static_cast<size_t>(y) * c.pitch + x] = index;
}

void InitContext(DeviceContext* dc) {
  dc->pen = &StockBlackPen;
  dc->brush = &StockWhiteBrush;
  dc->font = &StockSystemFont;
  dc->textColour = RGB(0, 0, 0);
  dc->bkColour = RGB(255, 255, 255);
  dc->bkMode = OPAQUE;
}

// GDI takes the corners in either order.
void Normalise(int& left, int& top, int& right, int& bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
}

}  // namespace

HRESULT GetDC(DDSurface* surface, HDC* out) {
  *out = nullptr;
  if (!surface) return DDERR_INVALIDPARAMS;
  auto* dc = new DeviceContext{};
  InitContext(dc);
  dc->surface = surface;
  *out = dc;
  return DD_OK;
}

HRESULT ReleaseDC(DDSurface* surface, HDC dc) {
  if (!surface || !dc || dc->surface != surface) return DDERR_INVALIDPARAMS;
  delete dc;
  return DD_OK;
}

HDC CreateCompatibleDC(HDC) {
  auto* dc = new DeviceContext{};
  InitContext(dc);
  return dc;
}

BOOL DeleteDC(HDC dc) {
  if (!dc || dc->surface) return 0;
  delete dc;
  return 1;
}

HGDIOBJ GetStockObject(int which) {
  switch (which) {
    case WHITE_BRUSH: return &StockWhiteBrush;
    case BLACK_BRUSH: return &StockBlackBrush;
    case NULL_BRUSH: return &StockNullBrush;
    case WHITE_PEN: return &StockWhitePen;
    case BLACK_PEN: return &StockBlackPen;
    case NULL_PEN: return &StockNullPen;
    case SYSTEM_FONT: return &StockSystemFont;
    default: return nullptr;
  }
}

HPEN CreatePen(int style, int width, COLORREF colour) {
  auto* o = new GdiObject{};
  o->kind = GdiPen;
  o->nullStyle = style == PS_NULL;
  o->width = std::max(width, 1);
  o->colour = colour;
  return o;
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  auto* o = new GdiObject{};
  o->kind = GdiBrush;
  o->colour = colour;
  return o;
}

BOOL DeleteObject(HGDIOBJ object) {
  if (!object) return 0;
  if (!object->stock) delete object;
  return 1;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!dc || !object) return nullptr;
  GdiObject* old = nullptr;
  switch (object->kind) {
    case GdiPen: old = dc->pen; dc->pen = object; break;
    case GdiBrush: old = dc->brush; dc->brush = object; break;
    case GdiFont: old = dc->font; dc->font = object; break;
    case GdiBitmap:
      if (dc->surface) return nullptr;  // a surface's context draws on its surface
      old = dc->bitmap;
      dc->bitmap = object;
      break;
  }
  return old;
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
  if (!object || object->kind != GdiBitmap || !out || size < static_cast<int>(sizeof(BITMAP))) return 0;
  auto* bm = static_cast<BITMAP*>(out);
  *bm = BITMAP{};
  bm->bmWidth = object->bmWidth;
  bm->bmHeight = object->bmHeight;
  bm->bmWidthBytes = object->bmWidth;  // rows are kept top-down and unpadded
  bm->bmPlanes = 1;
  bm->bmBitsPixel = 8;
  bm->bmBits = object->bits.data();
  return sizeof(BITMAP);
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* out) {
  if (!dc || !dc->bitmap || !out || start >= 256) return 0;
  count = std::min<UINT>(count, 256 - start);
  std::memcpy(out, dc->bitmap->colours + start, count * sizeof(RGBQUAD));
  return std::min<UINT>(count, dc->bitmap->colourCount > start ? dc->bitmap->colourCount - start : 0);
}

// Both sides hold indices of the one shared palette, so the copy is of indices.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop) {
  Canvas d{}, s{};
  if (!CanvasOf(dest, &d)) return 0;
  if (rop == BLACKNESS || rop == WHITENESS) return PatBlt(dest, x, y, width, height, rop);
  if (rop != SRCCOPY || !CanvasOf(src, &s)) return 0;
  for (int row = 0; row < height; row++) {
    const int sy = srcY + row, dy = y + row;
    if (sy < 0 || sy >= s.height || dy < 0 || dy >= d.height) continue;
    for (int col = 0; col < width; col++) {
      const int sx = srcX + col, dx = x + col;
      if (sx < 0 || sx >= s.width || dx < 0 || dx >= d.width) continue;
      d.pixels[static_cast<size_t>(dy) * d.pitch + dx] = s.pixels[static_cast<size_t>(sy) * s.pitch + sx];
    }
  }
  return 1;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  Canvas c{};
  if (!CanvasOf(dc, &c)) return 0;
  uint8_t index;
  if (rop == BLACKNESS) {
    index = 0;  // the first entry of the physical palette
  } else if (rop == WHITENESS) {
    index = 255;
  } else if (rop == PATCOPY) {
    if (!dc->brush || dc->brush->nullStyle) return 1;
    index = NearestPaletteIndex(dc->brush->colour);
  } else {
    return 0;
  }
  int left = x, top = y, right = x + width, bottom = y + height;
  Normalise(left, top, right, bottom);
  for (int row = top; row < bottom; row++) FillSpan(c, row, left, right, index);
  return 1;
}

namespace {

// Draws a figure given, row by row, as the span [x0, x1) it covers. The pen
// outlines the figure's edge pixels; the brush fills the rest.
template <typename SpanFn>
void DrawFigure(HDC dc, int top, int bottom, SpanFn span) {
  Canvas c{};
  if (!CanvasOf(dc, &c) || top >= bottom) return;
  const bool outline = dc->pen && !dc->pen->nullStyle;
  const bool fill = dc->brush && !dc->brush->nullStyle;
  const uint8_t penIndex = outline ? NearestPaletteIndex(dc->pen->colour) : 0;
  const uint8_t brushIndex = fill ? NearestPaletteIndex(dc->brush->colour) : 0;
  const int penWidth = outline ? dc->pen->width : 0;
  for (int y = top; y < bottom; y++) {
    int x0, x1;
    span(y, &x0, &x1);
    if (x0 >= x1) continue;
    if (!outline) {
      if (fill) FillSpan(c, y, x0, x1, brushIndex);
      continue;
    }
    // A pixel is on the outline when it is within the pen's width of the
    // figure's edge, across or along.
    bool edgeRow = y - top < penWidth || bottom - 1 - y < penWidth;
    int innerX0 = x1, innerX1 = x1;
    if (!edgeRow) {
      int a0 = x0, a1 = x1;
      for (int k = 1; k <= penWidth; k++) {
        int u0, u1, d0, d1;
        span(y - k, &u0, &u1);
        span(y + k, &d0, &d1);
        a0 = std::max({a0, u0, d0});
        a1 = std::min({a1, u1, d1});
      }
      innerX0 = std::max(a0, x0 + penWidth);
      innerX1 = std::min(a1, x1 - penWidth);
    }
    if (edgeRow || innerX0 >= innerX1) {
      FillSpan(c, y, x0, x1, penIndex);
      continue;
    }
    FillSpan(c, y, x0, innerX0, penIndex);
    if (fill) FillSpan(c, y, innerX0, innerX1, brushIndex);
    FillSpan(c, y, innerX1, x1, penIndex);
  }
}

}  // namespace

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (!dc) return 0;
  Normalise(left, top, right, bottom);
  DrawFigure(dc, top, bottom, [&](int, int* x0, int* x1) {
    *x0 = left;
    *x1 = right;
  });
  return 1;
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  if (!dc) return 0;
  Normalise(left, top, right, bottom);
  const int w = right - left, h = bottom - top;
  const double rx = std::min(std::abs(ellipseWidth), w) / 2.0;
  const double ry = std::min(std::abs(ellipseHeight), h) / 2.0;
  DrawFigure(dc, top, bottom, [&](int y, int* x0, int* x1) {
    if (y < top || y >= bottom) {
      *x0 = *x1 = left;
      return;
    }
    // How far the corner arcs pull this row in from the sides.
    const double cy = y + 0.5 - top;
    double dy = 0;
    if (cy < ry) dy = ry - cy;
    else if (cy > h - ry) dy = cy - (h - ry);
    int inset = 0;
    if (dy > 0 && ry > 0) {
      const double t = dy / ry;
      inset = static_cast<int>(rx - rx * std::sqrt(std::max(0.0, 1 - t * t)) + 0.5);
    }
    *x0 = left + inset;
    *x1 = right - inset;
  });
  return 1;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  if (!dc) return 0;
  COLORREF old = dc->textColour;
  dc->textColour = colour;
  return old;
}

int SetBkMode(HDC dc, int mode) {
  if (!dc) return 0;
  int old = dc->bkMode;
  dc->bkMode = mode;
  return old;
}

int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT format) {
  if (!dc || !text || !rect) return 0;
  if (length < 0) length = static_cast<int>(std::strlen(text));
  const std::u32string chars = DecodeCp932(text, length);
  Canvas c{};
  const bool canDraw = CanvasOf(dc, &c) && !(format & DT_CALCRECT);
  const uint8_t ink = NearestPaletteIndex(dc->textColour);
  const uint8_t paper = NearestPaletteIndex(dc->bkColour);
  const bool clip = !(format & DT_NOCLIP);
  const int lineHeight = GlyphHeight;
  int x = rect->left, y = rect->top, lines = 1, widest = 0;
  for (size_t i = 0; i < chars.size(); i++) {
    char32_t ch = chars[i];
    if (!(format & DT_SINGLELINE) && (ch == U'\n' || ch == U'\r')) {
      if (ch == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n') i++;
      widest = std::max(widest, x - rect->left);
      x = rect->left;
      y += lineHeight;
      lines++;
      continue;
    }
    if (ch == U'\r' || ch == U'\n' || ch == U'\t') continue;
    const Glyph* g = FindGlyph(ch);
    if (!g) {
      if (!FontAvailable()) return 0;  // no font: text is skipped
      // A character without a glyph (a pack's name may hold any) is drawn
      // as a box of its width, so that it neither vanishes nor runs into
      // the next.
      const int width = ch < 0x1100 || (ch >= 0xFF61 && ch <= 0xFFDC) ? 8 : 16;
      if (canDraw)
        for (int gy = 2; gy < GlyphHeight - 2; gy++)
          for (int gx = 1; gx < width - 1; gx++) {
            const int px = x + gx, py = y + gy;
            const bool edge = gy == 2 || gy == GlyphHeight - 3 || gx == 1 || gx == width - 2;
            if (!edge || (clip && (px < rect->left || px >= rect->right || py < rect->top || py >= rect->bottom)))
              continue;
            PutPixel(c, px, py, ink);
          }
      x += width;
      continue;
    }
    if (canDraw) {
      for (int gy = 0; gy < GlyphHeight; gy++) {
        const int py = y + gy;
        if (clip && (py < rect->top || py >= rect->bottom)) continue;
        for (int gx = 0; gx < g->width; gx++) {
          const int px = x + gx;
          if (clip && (px < rect->left || px >= rect->right)) continue;
          if (GlyphPixel(*g, gx, gy)) PutPixel(c, px, py, ink);
          else if (dc->bkMode == OPAQUE) PutPixel(c, px, py, paper);
        }
      }
    }
    x += g->width;
  }
  widest = std::max(widest, x - rect->left);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + widest;
    rect->bottom = rect->top + lines * lineHeight;
  }
  return lines * lineHeight;
}
