// The GDI the game uses on surfaces and memory contexts: bitmaps loaded from
// files, pens and brushes, filled figures, and text in code page 932.
#pragma once

#include "platform/win32/ddraw.h"

using HGDIOBJ = GdiObject*;
using HPEN = GdiObject*;
using HBITMAP = GdiObject*;
using HFONT = GdiObject*;
using HANDLE = void*;

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  void* bmBits;
};

struct RGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
};

constexpr UINT IMAGE_BITMAP = 0;
constexpr UINT LR_LOADFROMFILE = 0x10;
constexpr UINT LR_CREATEDIBSECTION = 0x2000;

constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
constexpr int SYSTEM_FONT = 13;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD PATCOPY = 0x00F00021;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

constexpr UINT DT_SINGLELINE = 0x20;
constexpr UINT DT_NOCLIP = 0x100;
constexpr UINT DT_CALCRECT = 0x400;

// Reads an 8-bit BMP file (bottom-up or top-down, plain or RLE8). A file that
// cannot be used gives null and one line on stderr naming it and why.
HANDLE LoadImageA(HINSTANCE instance, const char* name, UINT type, int width, int height, UINT flags);
int GetObjectA(HGDIOBJ object, int size, void* out);
HDC CreateCompatibleDC(HDC reference);
BOOL DeleteDC(HDC dc);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
BOOL DeleteObject(HGDIOBJ object);
HGDIOBJ GetStockObject(int which);
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* out);
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int srcX, int srcY, DWORD rop);

HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH CreateSolidBrush(COLORREF colour);

// Figures cover left to right - 1 and top to bottom - 1: filled with the
// brush, outlined on that area's edges with the pen.
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

COLORREF SetTextColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
// Text of code page 932 bytes (length -1: up to the NUL), drawn in the
// context's 16-pixel font from the top left of the rectangle, lines broken at
// line feeds only, clipped to the rectangle. Returns the height drawn.
int DrawTextA(HDC dc, const char* text, int length, RECT* rect, UINT format);
