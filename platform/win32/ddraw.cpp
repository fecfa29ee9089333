// DirectDraw stand-in: surfaces of 8-bit palette indices in memory.
#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/picture/shown_picture.h"
#include "platform/shell/run.h"
#include "platform/win32/records.h"
#include "platform/win32/key_sample.h"
#include "platform/win32/window_queue.h"

namespace {

const PALETTEENTRY* PaletteOf(const DDSurface* primary) {
  return primary->palette ? primary->palette->entries : nullptr;
}

DDSurface* NewSurface(int width, int height) {
  auto* s = new DDSurface{};
  s->width = width;
  s->height = height;
  // Rows are padded so that code which forgets the pitch shows it at once.
  s->pitch = (width + 7) & ~7;
  s->pixels.assign(static_cast<size_t>(s->pitch) * height, 0);
  return s;
}

// The part of a w x h rectangle at (x, y) of the source, copied to (dx, dy),
// that lies inside both surfaces. Returns false when nothing is left.
bool ClipCopy(const DDSurface* dest, const DDSurface* src, LONG& dx, LONG& dy, RECT& r) {
  if (r.left < 0) { dx -= r.left; r.left = 0; }
  if (r.top < 0) { dy -= r.top; r.top = 0; }
  r.right = std::min<LONG>(r.right, src->width);
  r.bottom = std::min<LONG>(r.bottom, src->height);
  if (dx < 0) { r.left -= dx; dx = 0; }
  if (dy < 0) { r.top -= dy; dy = 0; }
  // 64-bit sums: a caller's wild coordinates must not wrap here.
  if (static_cast<int64_t>(dx) + (static_cast<int64_t>(r.right) - r.left) > dest->width)
    r.right = static_cast<LONG>(r.left + (dest->width - static_cast<int64_t>(dx)));
  if (static_cast<int64_t>(dy) + (static_cast<int64_t>(r.bottom) - r.top) > dest->height)
    r.bottom = static_cast<LONG>(r.top + (dest->height - static_cast<int64_t>(dy)));
  return r.left < r.right && r.top < r.bottom && dx < dest->width && dy < dest->height;
}

// Sprites are copied sixteen pixels at a time: the key's pixels keep the
// destination, every other pixel takes the source.
void CopyKeyedRow(uint8_t* d, const uint8_t* s, int w, uint8_t key) {
  typedef uint8_t Block __attribute__((vector_size(16)));
  const Block keys = {key, key, key, key, key, key, key, key, key, key, key, key, key, key, key, key};
  int c = 0;
  for (; c + 16 <= w; c += 16) {
    Block sv, dv;
    std::memcpy(&sv, s + c, 16);
    std::memcpy(&dv, d + c, 16);
    const Block keep = reinterpret_cast<Block>(sv == keys);
    dv = (dv & keep) | (sv & ~keep);
    std::memcpy(d + c, &dv, 16);
  }
  for (; c < w; c++)
    if (s[c] != key) d[c] = s[c];
}

}  // namespace

HRESULT DirectDrawCreateEx(void*, DirectDraw** out, const void*, void*) {
  *out = new DirectDraw{1};
  return DD_OK;
}

HRESULT SetCooperativeLevel(DirectDraw*, HWND, DWORD) { return DD_OK; }

HRESULT SetDisplayMode(DirectDraw*, DWORD width, DWORD height, DWORD bits, DWORD, DWORD) {
  return (width == ScreenWidth && height == ScreenHeight && bits == 8) ? DD_OK : DDERR_INVALIDPARAMS;
}

HRESULT RestoreDisplayMode(DirectDraw*) { return DD_OK; }

HRESULT CreateSurface(DirectDraw* dd, DDSURFACEDESC2* desc, DDSurface** out, void*) {
  *out = nullptr;
  if (!dd || !desc) return DDERR_INVALIDPARAMS;
  if (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) {
    DDSurface* front = NewSurface(ScreenWidth, ScreenHeight);
    front->primary = true;
    if ((desc->dwFlags & DDSD_BACKBUFFERCOUNT) && desc->dwBackBufferCount >= 1)
      front->backBuffer = NewSurface(ScreenWidth, ScreenHeight);
    *out = front;
    return DD_OK;
  }
  if (!(desc->dwFlags & DDSD_WIDTH) || !(desc->dwFlags & DDSD_HEIGHT) || desc->dwWidth == 0 ||
      desc->dwHeight == 0 || desc->dwWidth > 8192 || desc->dwHeight > 8192)
    return DDERR_INVALIDPARAMS;
  *out = NewSurface(static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight));
  return DD_OK;
}

HRESULT GetAttachedSurface(DDSurface* surface, DDSCAPS2* caps, DDSurface** out) {
  *out = nullptr;
  if (!surface || !surface->backBuffer || !caps || !(caps->dwCaps & DDSCAPS_BACKBUFFER))
    return DDERR_INVALIDPARAMS;
  *out = surface->backBuffer;
  return DD_OK;
}

HRESULT SetColorKey(DDSurface* surface, DWORD flags, DDCOLORKEY* key) {
  if (!surface || !(flags & DDCKEY_SRCBLT)) return DDERR_INVALIDPARAMS;
  surface->hasColorKey = key != nullptr;
  if (key) {
    surface->keyLow = static_cast<uint8_t>(key->dwColorSpaceLowValue);
    surface->keyHigh = static_cast<uint8_t>(key->dwColorSpaceHighValue);
  }
  return DD_OK;
}

HRESULT CreatePalette(DirectDraw* dd, DWORD, const PALETTEENTRY* entries, DDPalette** out, void*) {
  *out = nullptr;
  if (!dd || !entries) return DDERR_INVALIDPARAMS;
  auto* p = new DDPalette{};
  p->refs = 1;
  std::memcpy(p->entries, entries, sizeof p->entries);
  *out = p;
  return DD_OK;
}

HRESULT GetEntries(DDPalette* palette, DWORD, DWORD base, DWORD count, PALETTEENTRY* out) {
  if (!palette || !out || base > 256 || count > 256 - base) return DDERR_INVALIDPARAMS;
  std::memcpy(out, palette->entries + base, count * sizeof(PALETTEENTRY));
  return DD_OK;
}

HRESULT SetPalette(DDSurface* surface, DDPalette* palette) {
  if (!surface) return DDERR_INVALIDPARAMS;
  if (palette) palette->refs++;
  if (surface->palette) Release(surface->palette);
  surface->palette = palette;
  if (surface->primary) {
    // A new palette shows at once, over the picture already shown.
    ShowSurface(surface->pixels.data(), surface->pitch, PaletteOf(surface));
    NotePaletteChange();
    PresentPaced();
  }
  return DD_OK;
}

HRESULT BltFast(DDSurface* dest, LONG x, LONG y, DDSurface* src, const RECT* srcRect, DWORD flags) {
  if (!dest || !src) return DDERR_INVALIDPARAMS;
  RECT r = srcRect ? *srcRect : RECT{0, 0, src->width, src->height};
  if (r.left >= r.right || r.top >= r.bottom) return DDERR_INVALIDRECT;
  if (!ClipCopy(dest, src, x, y, r)) return DD_OK;
  const int w = r.right - r.left;
  const bool keyed = (flags & DDBLTFAST_SRCCOLORKEY) && src->hasColorKey;
  const uint8_t lo = src->keyLow, hi = src->keyHigh;
  // Whole rows of two different surfaces lie end to end: one copy. (In the
  // browser every large copy is a call out to JavaScript.)
  if (!keyed && src != dest && w == src->pitch && w == dest->pitch) {
    std::memcpy(dest->pixels.data() + static_cast<size_t>(y) * dest->pitch,
                src->pixels.data() + static_cast<size_t>(r.top) * src->pitch, static_cast<size_t>(w) * (r.bottom - r.top));
    return DD_OK;
  }
  for (int row = r.top; row < r.bottom; row++) {
    const uint8_t* s = src->pixels.data() + static_cast<size_t>(row) * src->pitch + r.left;
    uint8_t* d = dest->pixels.data() + static_cast<size_t>(y + row - r.top) * dest->pitch + x;
    if (!keyed && src != dest && w % 16 == 0 && w <= 64) {
      // Tiles: sixteen bytes at a time, cheaper than a call per short row.
      for (int c = 0; c < w; c += 16) std::memcpy(d + c, s + c, 16);
    } else if (!keyed) {
      std::memmove(d, s, w);
    } else if (lo == hi) {
      CopyKeyedRow(d, s, w, lo);
    } else {
      for (int c = 0; c < w; c++)
        if (s[c] < lo || s[c] > hi) d[c] = s[c];
    }
  }
  return DD_OK;
}

HRESULT Blt(DDSurface* dest, const RECT* destRect, DDSurface* src, const RECT* srcRect, DWORD flags, void*) {
  if (!dest || !src) return DDERR_INVALIDPARAMS;
  const RECT dr = destRect ? *destRect : RECT{0, 0, dest->width, dest->height};
  const RECT sr = srcRect ? *srcRect : RECT{0, 0, src->width, src->height};
  const int64_t dw = static_cast<int64_t>(dr.right) - dr.left, dh = static_cast<int64_t>(dr.bottom) - dr.top;
  const int64_t sw = static_cast<int64_t>(sr.right) - sr.left, sh = static_cast<int64_t>(sr.bottom) - sr.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return DDERR_INVALIDRECT;
  const bool keyed = (flags & DDBLT_KEYSRC) && src->hasColorKey;
  const int64_t x0 = std::max<int64_t>(dr.left, 0), x1 = std::min<int64_t>(dr.right, dest->width);
  const int64_t y0 = std::max<int64_t>(dr.top, 0), y1 = std::min<int64_t>(dr.bottom, dest->height);
  for (int64_t y = y0; y < y1; y++) {
    // The source pixel under the centre of each destination pixel.
    const int64_t sy = sr.top + ((y - dr.top) * 2 + 1) * sh / (dh * 2);
    if (sy < 0 || sy >= src->height) continue;
    const uint8_t* s = src->pixels.data() + sy * src->pitch;
    uint8_t* d = dest->pixels.data() + y * dest->pitch;
    for (int64_t x = x0; x < x1; x++) {
      const int64_t sx = sr.left + ((x - dr.left) * 2 + 1) * sw / (dw * 2);
      if (sx < 0 || sx >= src->width) continue;
      const uint8_t v = s[sx];
      if (keyed && v >= src->keyLow && v <= src->keyHigh) continue;
      d[x] = v;
    }
  }
  return DD_OK;
}

HRESULT Lock(DDSurface* surface, RECT*, DDSURFACEDESC2* desc, DWORD, void*) {
  if (!surface || !desc) return DDERR_INVALIDPARAMS;
  surface->lockCount++;
  desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
  desc->dwWidth = surface->width;
  desc->dwHeight = surface->height;
  desc->lPitch = surface->pitch;
  desc->lpSurface = surface->pixels.data();
  return DD_OK;
}

HRESULT Unlock(DDSurface* surface, RECT*) {
  if (!surface || surface->lockCount <= 0) return DDERR_INVALIDPARAMS;
  surface->lockCount--;
  return DD_OK;
}

HRESULT Flip(DDSurface* primary, DDSurface*, DWORD) {
  if (!primary || !primary->primary || !primary->backBuffer) return DDERR_INVALIDPARAMS;
  // The buffers change places: what was drawn is shown, and the back buffer
  // now holds the picture shown before.
  primary->pixels.swap(primary->backBuffer->pixels);
  ShowSurface(primary->pixels.data(), primary->pitch, PaletteOf(primary));
  // Once the end is asked for from outside no flip is counted or shown, so
  // the run stands where it was asked to end.
  if (RunEndAsked()) return DD_OK;
  const uint32_t flip = CountFlip();
  NoteFlipGap(flip);
  PresentPaced();
  if (ActiveBackend && ActiveBackend->pumpEvents()) RequestQuitFromOutside();
  TakeKeySample(flip);
  ObserveFlip(flip);
  if (EndSignalReceived()) RequestQuitFromOutside();
  if (FlipLimitReached(flip)) RequestQuitFromOutside();
  return DD_OK;
}

DWORD Release(DirectDraw* dd) {
  if (!dd) return 0;
  if (--dd->refs > 0) return dd->refs;
  delete dd;
  return 0;
}

DWORD Release(DDPalette* palette) {
  if (!palette) return 0;
  if (--palette->refs > 0) return palette->refs;
  delete palette;
  return 0;
}

DWORD Release(DDSurface* surface) {
  if (!surface) return 0;
  if (surface->primary) {
    KeepShownPicture(surface->pixels.data(), surface->pitch);
    delete surface->backBuffer;
    if (surface->palette) Release(surface->palette);
  }
  delete surface;
  return 0;
}
