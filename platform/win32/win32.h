// The small part of Win32 the game calls: windows and messages, the
// keyboard, the multimedia timer, message boxes, and data file names.
// Everything is a free function over a plain record.
#pragma once

#include <cstdio>
#include <string>

#include "platform/input/bindings.h"  // InputScreen
#include "platform/windows_types.h"

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
// The mouse over the game's picture (only while the stage editor is up):
// lParam holds x in its low word and y in its high word, in the 640 x 480
// picture; wParam the MK_ flags of the buttons and modifier keys held, and
// for the wheel, in its high word, the turn in WHEEL_DELTA steps.
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;
constexpr UINT WM_MOUSEWHEEL = 0x020A;
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_SHIFT = 0x0004;
constexpr WPARAM MK_CONTROL = 0x0008;
constexpr WPARAM MK_MBUTTON = 0x0010;
constexpr int WHEEL_DELTA = 120;
inline LPARAM MAKELPARAM(int low, int high) {
  return static_cast<LPARAM>(static_cast<uint32_t>(static_cast<uint16_t>(low)) | static_cast<uint32_t>(static_cast<uint16_t>(high)) << 16);
}
inline int GET_X_LPARAM(LPARAM l) { return static_cast<int16_t>(static_cast<uint16_t>(l & 0xFFFF)); }
inline int GET_Y_LPARAM(LPARAM l) { return static_cast<int16_t>(static_cast<uint16_t>((l >> 16) & 0xFFFF)); }
inline int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return static_cast<int16_t>(static_cast<uint16_t>((w >> 16) & 0xFFFF)); }
inline WPARAM GET_KEYSTATE_WPARAM(WPARAM w) { return w & 0xFFFF; }

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

// Top bit set while the key was down at the last sample; keys are sampled at
// every Flip and once at start-up, so play depends only on those samples.
SHORT GetAsyncKeyState(int virtualKey);
// Not Windows's: the screen the game shows from the next sample on, which
// decides what a pad's buttons mean there (InputScreen in bindings.h).
void SetInputScreen(uint8_t screen);

// ---- Multimedia timer -------------------------------------------------------

DWORD timeGetTime();
UINT timeBeginPeriod(UINT period);
UINT timeEndPeriod(UINT period);

// ---- Data files -------------------------------------------------------------

// Opens a file named the game's way ("stage\\x.txt"), relative to the data
// folder found at start-up (the working directory by default): backslashes
// become separators, and a name whose case differs from the file on disk is
// still found, as it would be on Windows. While a pack is in force, its own
// file of that name comes first (platform/files/packs.h).
FILE* OpenDataFile(const char* name, const char* mode);
// The name as a path of this system, in the data folder, for messages
// ("stage/x.txt").
std::string DataFilePath(const char* name);
// A data file the game cannot go on without could not be loaded: the error
// box then names it, or its folder when that is missing, in the run's
// language. The first one noted is named.
void NoteDataFileProblem(const char* name);
// That line of the error box; "" when nothing was noted.
std::string DataProblemLine();
// Nothing noted: after trying a pack's files, whose faults are the pack's
// and not the game's.
void ForgetDataFileProblem();
