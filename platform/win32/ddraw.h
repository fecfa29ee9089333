// The DirectDraw 7 the game uses: one 640 x 480 display of 8-bit palette
// indices with one back buffer, plain off-screen surfaces with a source
// colour key, palettes, locking and flipping.
#pragma once

#include "platform/win32/win32.h"

struct DirectDraw;  // IDirectDraw7
struct DDSurface;   // IDirectDrawSurface7
struct DDPalette;   // IDirectDrawPalette


struct DDCOLORKEY {
  DWORD dwColorSpaceLowValue;
  DWORD dwColorSpaceHighValue;
};

struct DDSCAPS2 {
  DWORD dwCaps;
  DWORD dwCaps2;
  DWORD dwCaps3;
  DWORD dwCaps4;
};

struct DDSURFACEDESC2 {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;
  DWORD dwBackBufferCount;
  void* lpSurface;
  DDCOLORKEY ddckCKSrcBlt;
  DDSCAPS2 ddsCaps;
};

constexpr HRESULT DD_OK = 0;
constexpr HRESULT DDERR_INVALIDPARAMS = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT DDERR_INVALIDRECT = static_cast<HRESULT>(0x88760096u);

constexpr DWORD DDSCL_FULLSCREEN = 0x1;
constexpr DWORD DDSCL_ALLOWREBOOT = 0x2;
constexpr DWORD DDSCL_EXCLUSIVE = 0x10;

constexpr DWORD DDSD_CAPS = 0x1;
constexpr DWORD DDSD_HEIGHT = 0x2;
constexpr DWORD DDSD_WIDTH = 0x4;
constexpr DWORD DDSD_PITCH = 0x8;
constexpr DWORD DDSD_BACKBUFFERCOUNT = 0x20;

constexpr DWORD DDSCAPS_BACKBUFFER = 0x4;
constexpr DWORD DDSCAPS_COMPLEX = 0x8;
constexpr DWORD DDSCAPS_FLIP = 0x10;
constexpr DWORD DDSCAPS_OFFSCREENPLAIN = 0x40;
constexpr DWORD DDSCAPS_PRIMARYSURFACE = 0x200;

constexpr DWORD DDCKEY_SRCBLT = 0x8;

constexpr DWORD DDBLTFAST_SRCCOLORKEY = 0x1;
constexpr DWORD DDBLTFAST_WAIT = 0x10;

constexpr DWORD DDBLT_KEYSRC = 0x8000;
constexpr DWORD DDBLT_WAIT = 0x1000000;

constexpr DWORD DDFLIP_WAIT = 0x1;
constexpr DWORD DDLOCK_WAIT = 0x1;
constexpr DWORD DDPCAPS_8BIT = 0x4;

HRESULT DirectDrawCreateEx(void* guid, DirectDraw** out, const void* iid, void* outer);
HRESULT SetCooperativeLevel(DirectDraw* dd, HWND window, DWORD flags);
HRESULT SetDisplayMode(DirectDraw* dd, DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                       DWORD flags);
HRESULT RestoreDisplayMode(DirectDraw* dd);
HRESULT CreateSurface(DirectDraw* dd, DDSURFACEDESC2* desc, DDSurface** out, void* outer);
HRESULT CreatePalette(DirectDraw* dd, DWORD flags, const PALETTEENTRY* entries, DDPalette** out, void* outer);

HRESULT GetAttachedSurface(DDSurface* surface, DDSCAPS2* caps, DDSurface** out);
HRESULT SetColorKey(DDSurface* surface, DWORD flags, DDCOLORKEY* key);
HRESULT SetPalette(DDSurface* surface, DDPalette* palette);
HRESULT GetEntries(DDPalette* palette, DWORD flags, DWORD base, DWORD count, PALETTEENTRY* out);

// Copies a source rectangle (null: the whole source) to (x, y). Whatever lies
// outside either surface, or an empty or inverted rectangle, is not copied.
HRESULT BltFast(DDSurface* dest, LONG x, LONG y, DDSurface* src, const RECT* srcRect, DWORD flags);
// Stretches a source rectangle into a destination rectangle, nearest pixel.
HRESULT Blt(DDSurface* dest, const RECT* destRect, DDSurface* src, const RECT* srcRect, DWORD flags, void* fx);
HRESULT Lock(DDSurface* surface, RECT* rect, DDSURFACEDESC2* desc, DWORD flags, void* event);
HRESULT Unlock(DDSurface* surface, RECT* rect);
// Shows the back buffer: the two buffers of the flip chain change places.
HRESULT Flip(DDSurface* primary, DDSurface* override, DWORD flags);

struct DeviceContext;
using HDC = DeviceContext*;
HRESULT GetDC(DDSurface* surface, HDC* out);
HRESULT ReleaseDC(DDSurface* surface, HDC dc);

DWORD Release(DirectDraw* dd);
DWORD Release(DDSurface* surface);
DWORD Release(DDPalette* palette);
