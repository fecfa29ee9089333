// Records shared by the platform's own files; the game never includes this.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gdi.h"
#include "platform/runtime.h"

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

struct DirectDraw {
  int refs;
};

struct DDPalette {
  int refs;
  PALETTEENTRY entries[256];
};

struct DDSurface {
  int width, height, pitch;
  std::vector<uint8_t> pixels;  // pitch * height palette indices
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

// The palette index GDI uses for a colour: the nearest entry of the palette
// in force on the display.
uint8_t NearestPaletteIndex(COLORREF colour);
// The palette in force (all black before any is set).
const PALETTEENTRY* PaletteInForce();

// The backend: what differs between a real window and a headless run.
struct Backend {
  bool (*open)(const RunOptions& options, const char* title);
  void (*close)();
  // Shows a picture through a palette (shared code keeps the pace).
  void (*present)(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette);
  // Handles pending window-system events (keys, the close button).
  void (*pumpEvents)();
  uint32_t (*ticks)();
  // Fills down[256] with the keys of the live keyboard and pads since the
  // last call, through the player's bindings.
  void (*sampleKeyboard)(uint8_t* down);
  void (*messageBox)(const char* utf8Caption, const char* utf8Text);
  // The audio device: 44100 Hz, 16-bit stereo, `mix` called from the
  // device's own thread for each block. False when there is none (said once
  // on stderr when a device was expected).
  bool (*openAudio)(void (*mix)(int16_t* out, int frames));
  void (*closeAudio)();
  // Keep the device's thread out of shared state while it is held.
  void (*lockAudio)();
  void (*unlockAudio)();
  // Gives the processor away for about `ms` milliseconds: the one place a
  // backend waits (the browser's page runs meanwhile). Null: never wait.
  void (*delay)(uint32_t ms);
};

extern const Backend SdlBackend;
extern const Backend HeadlessBackend;
// The browser build's: a canvas, and the virtual clock that yields to the page.
extern const Backend WebBackend;
extern const Backend WebHeadlessBackend;

// Called by the backends when the player closes the window, by Flip at the
// --frames limit and on SIGINT or SIGTERM. Never lost: the queue holds the
// request apart from the messages.
void RequestQuitFromOutside();
// Takes what the run leaves behind (state, screenshot) as the game stands
// when the end is asked for from outside, before shutdown changes anything.
void OnQuitRequested();
// Turns a SIGINT or SIGTERM received since the last call into a quit request.
void PollEndSignal();
// Called by Flip: samples the keys, counts the flip, presents.
void OnFlip(DDSurface* primary);
// Called by SetPalette on the primary surface.
void OnPaletteChange(DDSurface* primary);
void OnPrimaryReleased(DDSurface* primary);

// The 8-bit picture through a palette into 32-bit pixels (0xAARRGGBB).
void ConvertToArgb(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette, uint32_t* out, int outPitchBytes);

// The game's message box over the picture shown, as 640 x 480 pixels
// (0xAARRGGBB); `button` is where its OK button is.
struct MessageBoxButton {
  int x, y, w, h;
};
void DrawMessageBox(const char* utf8Caption, const char* utf8Text, uint32_t* argb, MessageBoxButton* button);

// F12: the picture shown as a PNG in $XDG_PICTURES_DIR (or ~/Pictures),
// twinworlds-YYYYMMDD-HHMMSS.png; where it went is said on stderr.
void SaveScreenshot();

// Code page 932 to UTF-32 / UTF-8; bytes that do not decode are skipped.
std::u32string DecodeCp932(const char* text, int length);
std::string Cp932ToUtf8(const char* text);

// The backend the run uses, chosen by the options; set when the window opens.
extern const Backend* ActiveBackend;
// Posts a message to the game window's queue (dropped when it is full).
void PostWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Samples the keys (from the input file or the keyboard), posts WM_KEYDOWN
// for each key that went down, and records the sample when asked to.
void SampleKeys(uint32_t flip);
void StartKeys(const RunOptions& options, const std::vector<InputLine>& input);
void FinishKeys();
