// The small part of Win32 the game calls: windows and messages, the
// keyboard, the multimedia timer, message boxes, and data file names.
// Everything is a free function over a plain record.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

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

// ---- Windows and messages -------------------------------------------------

struct Window;  // the one game window
using HWND = Window*;
struct Instance;
using HINSTANCE = Instance*;
using HICON = void*;
using HCURSOR = void*;
struct GdiObject;
using HBRUSH = GdiObject*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;
};

struct MSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
};

constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_SYSKEYDOWN = 0x0104;

constexpr UINT PM_NOREMOVE = 0;
constexpr UINT PM_REMOVE = 1;

constexpr UINT CS_DBLCLKS = 0x0008;
constexpr DWORD WS_POPUP = 0x80000000u;
constexpr DWORD WS_VISIBLE = 0x10000000u;
constexpr DWORD WS_EX_TOPMOST = 0x00000008u;
constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);
constexpr int SW_SHOWDEFAULT = 10;

constexpr UINT MB_OK = 0;
constexpr int IDOK = 1;

// System resources named by the window class.
extern const char* const IDI_APPLICATION;
extern const char* const IDC_ARROW;

HINSTANCE GetModuleHandleA(const char* name);
HICON LoadIconA(HINSTANCE instance, const char* name);
HCURSOR LoadCursorA(HINSTANCE instance, const char* name);
WORD RegisterClassA(const WNDCLASSA* wc);
HWND CreateWindowExA(DWORD exStyle, const char* className, const char* title, DWORD style, int x, int y,
                     int width, int height, HWND parent, void* menu, HINSTANCE instance, void* param);
BOOL ShowWindow(HWND window, int showCommand);
BOOL UpdateWindow(HWND window);
HWND SetFocus(HWND window);
int ShowCursor(BOOL show);
BOOL DestroyWindow(HWND window);

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax);
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessageA(const MSG* msg);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// Caption and text are code page 932.
int MessageBoxA(HWND window, const char* text, const char* caption, UINT type);

// True once the game has been asked to end from outside its own menus: the
// window was closed, the run reached its --frames limit, or SIGINT or SIGTERM
// came. Screens that run
// loops of their own test it so that they never keep a closed game alive.
bool IsQuitRequested();

// ---- Keyboard ---------------------------------------------------------------

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

// Top bit set while the key was down at the last sample; keys are sampled at
// every Flip and once at start-up, so play depends only on those samples.
SHORT GetAsyncKeyState(int virtualKey);

// ---- Multimedia timer -------------------------------------------------------

DWORD timeGetTime();
UINT timeBeginPeriod(UINT period);
UINT timeEndPeriod(UINT period);

// ---- Data files -------------------------------------------------------------

// Opens a file named the game's way ("stage\\x.txt"), relative to the data
// folder found at start-up (the working directory by default): backslashes
// become separators, and a name whose case differs from the file on disk is
// still found, as it would be on Windows.
FILE* OpenDataFile(const char* name, const char* mode);
// The name as a path of this system, in the data folder, for messages
// ("stage/x.txt").
std::string DataFilePath(const char* name);
