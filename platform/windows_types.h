// The Windows types every stand-in shares: the integer names, rectangles
// and points, colours and palette entries, the virtual key codes, and the
// one display mode the game sets. Only the standard library below this.
#pragma once

#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using UINT = uint32_t;
using BOOL = int;
using SHORT = int16_t;
using HRESULT = int32_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;
using COLORREF = DWORD;

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr bool FAILED(HRESULT hr) { return hr < 0; }
constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }

struct RECT {
  LONG left, top, right, bottom;
};
struct POINT {
  LONG x, y;
};

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 255) | ((g & 255) << 8) | ((b & 255) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 255; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 255; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 255; }

struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};

// The display mode the game sets and the stand-ins show: 640 x 480.
constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

// Virtual key codes: the keys the game reads, and what input files name.
constexpr int VK_BACK = 0x08;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70;
constexpr int VK_F2 = 0x71;
constexpr int VK_F3 = 0x72;
constexpr int VK_F4 = 0x73;
constexpr int VK_F5 = 0x74;
// The mouse's buttons as Windows names them: the sample holds them while
// the stage editor reads the pointer (backend.h: PointerSample).
constexpr int VK_LBUTTON = 0x01;
constexpr int VK_RBUTTON = 0x02;
constexpr int VK_MBUTTON = 0x04;
// Not Windows's (a code it leaves unassigned): held at the sample after the
// window lost the focus while the stage editor was up, which keeps its
// autosave then instead of taking it for an Escape.
constexpr int VK_FOCUS_LOST = 0x07;
// A pad's buttons and stick directions as Windows names them; the sample
// holds them beside the game keys they are bound to, so that a recording
// knows when the pad was the last thing touched.
constexpr int VK_GAMEPAD_A = 0xC3;
constexpr int VK_GAMEPAD_LAST = 0xDA;  // the right stick pushed left
inline bool IsPadKey(int vk) { return vk >= VK_GAMEPAD_A && vk <= VK_GAMEPAD_LAST; }
// The page's touch controls (the browser): TOUCH is held beside the game key
// of any control pressed, so that a recording knows when touch was the last
// thing used. A tap on the picture holds TOUCH_TAP with the bits of the cell
// it landed in, cells of 20 x 16 pixels: TOUCH_LINE_1..16 the line from the
// top, TOUCH_COLUMN_1..16 the column from the left.
constexpr int VK_TOUCH = 0xE8;
constexpr int VK_TOUCH_TAP = 0xE9;
constexpr int VK_TOUCH_LINE_1 = 0xEA;
constexpr int VK_TOUCH_COLUMN_1 = 0xEF;
constexpr int TouchCellBits = 5;
constexpr int TouchCellWidth = 20, TouchCellHeight = 16;
