// The records behind the stand-ins' handles (surfaces, palettes, device
// contexts, GDI objects, sound buffers), shared by win32/'s own files. The
// game never sees inside them; tests reach them through tests/support/.
#pragma once

#include <cstdint>
#include <new>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/win32/dsound.h"
#include "platform/win32/gdi.h"

struct DirectDraw {
  int refs;
};

struct DDPalette {
  int refs;
  PALETTEENTRY entries[256];
};

// Surface pixels start on a page of their own: how fast the game's copies
// between surfaces run then no longer depends on where earlier allocations
// happened to leave the heap.
template <typename T>
struct PageAligned {
  using value_type = T;
  PageAligned() = default;
  template <typename U>
  PageAligned(const PageAligned<U>&) {}
  T* allocate(size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), std::align_val_t{4096})); }
  void deallocate(T* p, size_t) { ::operator delete(p, std::align_val_t{4096}); }
  bool operator==(const PageAligned&) const { return true; }
};

struct DDSurface {
  int width, height, pitch;
  std::vector<uint8_t, PageAligned<uint8_t>> pixels;  // pitch * height palette indices
  bool hasColorKey;
  uint8_t keyLow, keyHigh;
  int lockCount;
  bool primary;
  DDSurface* backBuffer;  // primary only: the other half of the flip chain
  DDPalette* palette;     // primary only: the palette in force
};

enum GdiKind : uint8_t { GdiPen, GdiBrush, GdiBitmap, GdiFont };

struct GdiObject {
  GdiKind kind;
  bool stock;
  bool nullStyle;  // NULL_PEN, NULL_BRUSH
  COLORREF colour;
  int width;
  // Bitmaps: top-down palette indices and the colour table.
  int bmWidth, bmHeight;
  std::vector<uint8_t> bits;
  RGBQUAD colours[256];
  UINT colourCount;
};

struct DeviceContext {
  DDSurface* surface;     // a surface's context, or null for a memory context
  GdiObject* bitmap;      // selected bitmap of a memory context
  GdiObject* pen;
  GdiObject* brush;
  GdiObject* font;
  COLORREF textColour;
  COLORREF bkColour;
  int bkMode;
};

// A sound buffer. Its bytes stay in its own format, for Lock; what the
// mixer plays is its voice, their copy in the output's format, made when
// they are unlocked.
struct DSBuffer {
  int refs;
  DirectSound* owner;
  bool primary;
  DWORD flags;
  std::vector<uint8_t> format;  // the WAVEFORMATEX and its extra bytes
  std::vector<uint8_t> bytes;
  int lockCount;
  Voice voice;
};

struct DirectSound {
  int refs;
  bool holdsOutput;
  bool primaryMade;
  std::vector<DSBuffer*> buffers;
};
