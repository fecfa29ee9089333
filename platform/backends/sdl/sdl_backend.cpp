// A real window through SDL2: the 640 x 480 picture scaled by whole steps,
// letterboxed and nearest-pixel, full screen unless a window is asked for;
// the keyboard and pads through the player's bindings; and the default audio
// device, fed by the software mixer.
#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/backend.h"
#include "platform/backends/sdl/gamepad.h"
#include "platform/backends/sdl/screenshot.h"
#include "platform/backends/sdl/window_icon.h"
#include "platform/backends/sdl/x11_watch.h"
#include "platform/files/user_folders.h"
#include "platform/input/bindings.h"
#include "platform/input/key_sampler.h"
#include "platform/picture/message_box.h"
#include "platform/picture/shown_picture.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_file_update.h"

namespace {

constexpr const char* WindowTitle = "twinworlds";

SDL_Window* TheSdlWindow = nullptr;
SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
bool VideoStarted = false;
bool WindowOpened = false;
// A window no one sees (SDL's dummy or offscreen driver, as asked for by
// SDL_VIDEODRIVER): its boxes never wait for an answer.
bool Unseen = false;

// The window's place and size when last a window (not full screen): what
// Alt+Enter returns to and what the settings file keeps at exit. SDL puts
// a new window's frame at the place asked for, but moves and reports the
// place of what is inside the frame: the settings file keeps the frame's
// corner, so that a window comes back where it was under a window manager
// that decorates it. In here the place is the inside's, but for one just
// read from the file (`frameCorner`) until the window says where it is.
struct WindowPlace {
  int x, y, width, height;
  bool known;
  bool frameCorner;
};
WindowPlace Windowed{};
// The window manager's decoration left of and above the window, as last
// seen while a window.
int DecorationLeft = 0, DecorationTop = 0;

// A short line over the picture in the window (never in the game's
// picture), until the tick it goes.
constexpr uint32_t NoticeMs = 2500;
std::string Notice;
uint32_t NoticeUntil = 0;
// The notice the texture holds over the picture ("" none).
std::string NoticeDrawn;

std::vector<SDL_Keycode> HeldKeys;
uint8_t PressedSinceSample[256];
// The window had the focus at its last change (a window that never had it
// cannot lose it); a loss since the last sample is shown as Escape at the
// next.
bool HasFocus = false;
bool FocusLostSinceSample = false;
// Sound stopped for a lost focus until the game resumes.
bool AudioHeld = false;

// The pointer as the last events left it: its place in the picture's
// pixels (the renderer's logical size has SDL take the scale and the
// letterbox off the events' places), whether it is over the window, the
// buttons held and those pressed since the last sample (a click between
// two samples still counts), and the wheel's notches since.
int PointerX = 0, PointerY = 0;
bool PointerInWindow = false;
uint8_t ButtonsHeld = 0, ButtonsPressed = 0;
int WheelTurn = 0;
constexpr uint8_t ButtonLeft = 1, ButtonRight = 2, ButtonMiddle = 4;

SDL_AudioDeviceID AudioDevice = 0;
bool AudioStarted = false;
void (*AudioMix)(int16_t*, int) = nullptr;

bool WindowGone() { return X11WindowGone(); }

int ScaleOfSize(int width, int height) { return std::max(1, std::min(width / ScreenWidth, height / ScreenHeight)); }

// The window as the settings file left it, brought onto a display that is
// there now: the size no larger than that display's usable area, the place
// inside it; a place on no display now is centred on the first. A scale
// changed since (by hand, or from the options) is taken over the size.
WindowPlace RestoredPlace(int width, int height) {
  const GameSettings& s = CurrentSettings();
  WindowPlace place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, false, false};
  int savedWidth = 0, savedHeight = 0;
  const bool sized = ParseWindowSize(s.windowSize, &savedWidth, &savedHeight) &&
                     ScaleOfSize(savedWidth, savedHeight) == s.scale;
  if (sized) {
    place.width = savedWidth;
    place.height = savedHeight;
  }
  int x = 0, y = 0;
  const bool placed = ParseWindowPosition(s.windowPosition, &x, &y);
  int display = 0;
  if (placed) {
    display = -1;
    for (int d = 0; d < SDL_GetNumVideoDisplays() && display < 0; d++) {
      SDL_Rect bounds;
      const SDL_Point corner{x, y};
      if (SDL_GetDisplayBounds(d, &bounds) == 0 && SDL_PointInRect(&corner, &bounds)) display = d;
    }
  }
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) != 0) return place;
  if (sized) {
    place.width = std::clamp(place.width, ScreenWidth, std::max(ScreenWidth, usable.w));
    place.height = std::clamp(place.height, ScreenHeight, std::max(ScreenHeight, usable.h));
  }
  if (placed && display >= 0) {
    place.x = std::clamp(x, usable.x, std::max(usable.x, usable.x + usable.w - place.width));
    place.y = std::clamp(y, usable.y, std::max(usable.y, usable.y + usable.h - place.height));
  }
  place.known = place.frameCorner = sized && placed && display >= 0;
  return place;
}

// Notes where the window is while it is one, not full screen.
void NoteWindowPlace() {
  if (!TheSdlWindow || WindowGone() || (SDL_GetWindowFlags(TheSdlWindow) & (SDL_WINDOW_FULLSCREEN_DESKTOP |
                                                                            SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED)))
    return;
  SDL_GetWindowPosition(TheSdlWindow, &Windowed.x, &Windowed.y);
  SDL_GetWindowSize(TheSdlWindow, &Windowed.width, &Windowed.height);
  Windowed.known = true;
  Windowed.frameCorner = false;
  int top = 0, left = 0, bottom = 0, right = 0;
  if (SDL_GetWindowBordersSize(TheSdlWindow, &top, &left, &bottom, &right) == 0) {
    DecorationLeft = left;
    DecorationTop = top;
  }
}

// At exit: full screen or a window, and the window's size, place and scale,
// for the next start (never from playback or a headless run: the settings
// file's switch says).
void SaveWindowPlace() {
  if (!WindowOpened || WindowGone()) return;
  const bool fullscreen = SDL_GetWindowFlags(TheSdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP;
  NoteWindowPlace();
  std::vector<std::pair<std::string, std::string>> values = {{"fullscreen", fullscreen ? "true" : "false"}};
  if (Windowed.known) {
    values.push_back({"scale", std::to_string(ScaleOfSize(Windowed.width, Windowed.height))});
    values.push_back({"window_size", std::to_string(Windowed.width) + "x" + std::to_string(Windowed.height)});
    const int x = Windowed.frameCorner ? Windowed.x : Windowed.x - DecorationLeft;
    const int y = Windowed.frameCorner ? Windowed.y : Windowed.y - DecorationTop;
    values.push_back({"window_position", std::to_string(x) + "," + std::to_string(y)});
  }
  SaveSettingValues(values);
}

int LargestScaleThatFits() {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 2;
  int scale = 1;
  while (ScreenWidth * (scale + 1) <= usable.w - 32 && ScreenHeight * (scale + 1) <= usable.h - 64) scale++;
  return scale;
}

// ALSA and the sound servers' client libraries write to stderr when there is
// no device; the player gets the game's one line instead.
int SilenceStderr() {
  std::fflush(stderr);
  const int saved = dup(2);
  FILE* null = std::fopen("/dev/null", "w");
  if (saved >= 0 && null) dup2(fileno(null), 2);
  if (null) std::fclose(null);
  return saved;
}

void RestoreStderr(int saved) {
  if (saved < 0) return;
  std::fflush(stderr);
  dup2(saved, 2);
  close(saved);
}

void AudioCallback(void*, Uint8* stream, int length) {
  AudioMix(reinterpret_cast<int16_t*>(stream), length / static_cast<int>(sizeof(int16_t) * AudioChannels));
}

bool OpenAudio(void (*mix)(int16_t*, int)) {
  if (AudioDevice) return true;
  const int saved = SilenceStderr();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    RestoreStderr(saved);
    std::fprintf(stderr, "twinworlds: no sound: %s\n", SDL_GetError());
    return false;
  }
  AudioStarted = true;
  AudioMix = mix;
  SDL_AudioSpec want{};
  want.freq = AudioRate;
  want.format = AUDIO_S16SYS;
  want.channels = AudioChannels;
  want.samples = AudioCallbackFrames;
  want.callback = AudioCallback;
  // No changes allowed: SDL converts for the device when it must, and the
  // mixer always sees this one format and block size.
  SDL_AudioSpec have{};
  AudioDevice = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!AudioDevice) {
    const std::string why = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    RestoreStderr(saved);
    std::fprintf(stderr, "twinworlds: no sound: %s\n", why.c_str());
    AudioStarted = false;
    return false;
  }
  RestoreStderr(saved);
  SDL_PauseAudioDevice(AudioDevice, 0);
  return true;
}

void CloseAudio() {
  AudioHeld = false;
  const int saved = SilenceStderr();
  if (AudioDevice) SDL_CloseAudioDevice(AudioDevice);
  AudioDevice = 0;
  if (AudioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  AudioStarted = false;
  RestoreStderr(saved);
}

void LockDevice() {
  if (AudioDevice) SDL_LockAudioDevice(AudioDevice);
}

void UnlockDevice() {
  if (AudioDevice) SDL_UnlockAudioDevice(AudioDevice);
}

void HoldAudio() {
  if (AudioDevice && !AudioHeld) SDL_PauseAudioDevice(AudioDevice, 1);
  AudioHeld = true;
}

void ReleaseHeldAudio() {
  if (AudioDevice && AudioHeld) SDL_PauseAudioDevice(AudioDevice, 0);
  AudioHeld = false;
}

// Another window took the focus, or this one was minimised: the game must
// not run on unattended.
void LoseFocus() {
  HeldKeys.clear();
  ButtonsHeld = 0;
  if (HasFocus) FocusLostSinceSample = true;
  HasFocus = false;
}

void Close() {
  SaveWindowPlace();
  WindowOpened = false;
  CloseAudio();
  ClosePads();
  if (Texture) SDL_DestroyTexture(Texture);
  if (Renderer) SDL_DestroyRenderer(Renderer);
  if (TheSdlWindow) SDL_DestroyWindow(TheSdlWindow);
  SettleX11Window();
  Texture = nullptr;
  Renderer = nullptr;
  TheSdlWindow = nullptr;
  if (VideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  VideoStarted = false;
}

// Whole steps while the window holds the picture at least once; a window
// made smaller than that (a tiling window manager's, say) shows all of it
// scaled down rather than a part of it.
void FitPictureToWindow() {
  int w = 0, h = 0;
  if (!Renderer || SDL_GetRendererOutputSize(Renderer, &w, &h) != 0) return;
  SDL_RenderSetIntegerScale(Renderer, w >= ScreenWidth && h >= ScreenHeight ? SDL_TRUE : SDL_FALSE);
}

bool Open(const WindowRequest& request) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "twinworlds: cannot open a window: %s (--headless runs without one)\n", SDL_GetError());
    return false;
  }
  VideoStarted = true;
  // With no display SDL falls back on a driver that shows nothing: a game
  // no one could see, nor answer, is no game.
  const char* driver = SDL_GetCurrentVideoDriver();
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  Unseen = driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
  if (Unseen && !(asked && *asked)) {
    std::fprintf(stderr, "twinworlds: cannot open a window: no display (--headless runs without one)\n");
    Close();
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  int scale = LargestScaleThatFits();
  if (request.window && request.scale > scale) {
    std::fprintf(stderr, "twinworlds: scale %d does not fit this desktop; using %d\n", request.scale, scale);
  } else if (request.window && request.scale > 0) {
    scale = request.scale;
  }
  Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
  if (!request.window) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  // A full-screen start keeps the window it returns to on Alt+Enter: the
  // one last left, when the settings file keeps it.
  Windowed = request.restore ? RestoredPlace(ScreenWidth * scale, ScreenHeight * scale)
                             : WindowPlace{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ScreenWidth * scale,
                                           ScreenHeight * scale, false, false};
  DecorationLeft = DecorationTop = 0;
  TheSdlWindow = SDL_CreateWindow(WindowTitle, Windowed.x, Windowed.y, Windowed.width, Windowed.height, flags);
  if (TheSdlWindow) {
    SetGameIcon(TheSdlWindow);
    SDL_SetWindowMinimumSize(TheSdlWindow, ScreenWidth, ScreenHeight);
    Renderer = SDL_CreateRenderer(TheSdlWindow, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!Renderer) Renderer = SDL_CreateRenderer(TheSdlWindow, -1, SDL_RENDERER_SOFTWARE);
  }
  if (Renderer) {
    SDL_RenderSetLogicalSize(Renderer, ScreenWidth, ScreenHeight);
    FitPictureToWindow();
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, ScreenWidth,
                                ScreenHeight);
  }
  if (!Texture) {
    std::fprintf(stderr, "twinworlds: cannot open a window: %s (--headless runs without one)\n", SDL_GetError());
    Close();
    return false;
  }
  WatchX11Window(TheSdlWindow);
  WindowOpened = true;
  ForgetConvertedPicture();
  NoticeDrawn.clear();
  // Hidden while over the picture, in a window as in full screen.
  SDL_ShowCursor(SDL_DISABLE);
  HeldKeys.clear();
  std::memset(PressedSinceSample, 0, sizeof PressedSinceSample);
  HasFocus = false;
  FocusLostSinceSample = false;
  PointerInWindow = false;
  ButtonsHeld = ButtonsPressed = 0;
  WheelTurn = 0;
  const std::string config = ConfigFolder();
  const std::string mappings = config.empty() ? "" : config + "/gamecontrollerdb.txt";
  OpenPads(mappings.empty() ? nullptr : mappings.c_str());
  SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Renderer);
  SDL_RenderPresent(Renderer);
  return true;
}

void ShowTexture() {
  if (WindowGone()) return;
  SDL_RenderClear(Renderer);
  SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
  SDL_RenderPresent(Renderer);
}

void Present(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  if (!Texture || WindowGone()) return;
  void* out;
  int outPitch;
  if (!Notice.empty() && SDL_TICKS_PASSED(SDL_GetTicks(), NoticeUntil)) Notice.clear();
  // The texture keeps the last picture: it is converted again only when the
  // picture, its palette or the notice over it changed.
  const bool changed = PictureChangedSinceConversion(pixels, pitch, palette);
  if (changed || Notice != NoticeDrawn) {
    if (SDL_LockTexture(Texture, nullptr, &out, &outPitch) != 0) {
      ForgetConvertedPicture();
      return;
    }
    ConvertToPixels32(pixels, pitch, palette, static_cast<uint32_t*>(out), outPitch, false);
    if (!Notice.empty()) DrawNotice(Notice.c_str(), static_cast<uint32_t*>(out), outPitch / 4);
    SDL_UnlockTexture(Texture);
    NoticeDrawn = Notice;
  }
  ShowTexture();
}

// Alt+Enter: full screen to a window of the largest whole scale that fits,
// and back.
void ToggleFullScreen() {
  if (SDL_GetWindowFlags(TheSdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP) {
    SDL_SetWindowFullscreen(TheSdlWindow, 0);
    if (Windowed.known) {
      SDL_SetWindowSize(TheSdlWindow, Windowed.width, Windowed.height);
      // A frame's corner from the file, for a game started full screen:
      // the decoration is not known yet, so the frame may sit higher by it.
      const int left = Windowed.frameCorner ? DecorationLeft : 0, top = Windowed.frameCorner ? DecorationTop : 0;
      SDL_SetWindowPosition(TheSdlWindow, Windowed.x + left, Windowed.y + top);
    } else {
      const int scale = LargestScaleThatFits();
      SDL_SetWindowSize(TheSdlWindow, ScreenWidth * scale, ScreenHeight * scale);
      SDL_SetWindowPosition(TheSdlWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
  } else {
    NoteWindowPlace();
    SDL_SetWindowFullscreen(TheSdlWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
  }
}

// The options screen's choice: full screen, or a window of a whole scale
// (0, or one too large, the largest that fits), centred.
void ApplyWindow(const WindowRequest& request) {
  if (!TheSdlWindow) return;
  if (!request.window) {
    NoteWindowPlace();
    SDL_SetWindowFullscreen(TheSdlWindow, SDL_WINDOW_FULLSCREEN_DESKTOP);
    return;
  }
  SDL_SetWindowFullscreen(TheSdlWindow, 0);
  const int largest = LargestScaleThatFits();
  const int scale = request.scale > 0 && request.scale <= largest ? request.scale : largest;
  SDL_SetWindowSize(TheSdlWindow, ScreenWidth * scale, ScreenHeight * scale);
  SDL_SetWindowPosition(TheSdlWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

bool IsFullScreen() { return TheSdlWindow && (SDL_GetWindowFlags(TheSdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP); }

void OnKey(const SDL_KeyboardEvent& key, bool down) {
  if (down && key.keysym.sym == SDLK_RETURN && (key.keysym.mod & KMOD_ALT)) {
    if (!key.repeat) ToggleFullScreen();
    return;
  }
  if (down && key.keysym.sym == SDLK_F12) {
    if (!key.repeat) {
      Notice = SaveScreenshot();
      NoticeUntil = SDL_GetTicks() + NoticeMs;
    }
    return;
  }
  std::erase(HeldKeys, key.keysym.sym);
  if (down) {
    HeldKeys.push_back(key.keysym.sym);
    KeyboardKeyDown(ActiveBindings(), key.keysym.sym, PressedSinceSample);
  }
}

uint8_t ButtonBit(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return ButtonLeft;
    case SDL_BUTTON_RIGHT: return ButtonRight;
    case SDL_BUTTON_MIDDLE: return ButtonMiddle;
    default: return 0;
  }
}

void OnPointer(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION:
      PointerX = e.motion.x;
      PointerY = e.motion.y;
      PointerInWindow = true;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      PointerX = e.button.x;
      PointerY = e.button.y;
      const uint8_t bit = ButtonBit(e.button.button);
      if (e.type == SDL_MOUSEBUTTONDOWN) {
        ButtonsHeld |= bit;
        ButtonsPressed |= bit;
      } else {
        ButtonsHeld &= static_cast<uint8_t>(~bit);
      }
      break;
    }
    case SDL_MOUSEWHEEL:
      // Away from the player is up, whatever the system's scrolling says.
      WheelTurn += e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      break;
    default: break;
  }
}

bool PumpEvents() {
  bool closed = false;
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT: closed = true; break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: OnKey(e.key, e.type == SDL_KEYDOWN); break;
      case SDL_SYSWMEVENT: closed = X11WindowDestroyedBy(e) || closed; break;
      case SDL_MOUSEMOTION:
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
      case SDL_MOUSEWHEEL: OnPointer(e); break;
      // The renderer may have lost the texture's pixels.
      case SDL_RENDER_TARGETS_RESET:
      case SDL_RENDER_DEVICE_RESET: ForgetConvertedPicture(); break;
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_MINIMIZED) LoseFocus();
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) HasFocus = true;
        if (e.window.event == SDL_WINDOWEVENT_ENTER) PointerInWindow = true;
        if (e.window.event == SDL_WINDOWEVENT_LEAVE) PointerInWindow = false;
        if (e.window.event == SDL_WINDOWEVENT_MOVED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) NoteWindowPlace();
        if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) FitPictureToWindow();
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED && Renderer && !WindowGone()) {
          SDL_RenderClear(Renderer);
          SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
          SDL_RenderPresent(Renderer);
        }
        break;
      default: HandlePadEvent(e); break;
    }
  }
  return closed;
}

// A key tapped between two samples still counts as down at the next one.
void SampleKeyboard(uint8_t* down) {
  if (FocusLostSinceSample) {
    FocusLostSinceSample = false;
    // The stage editor keeps its autosave then, and stays as it is.
    if (CurrentInputScreen() == InputEditor) {
      down[VK_FOCUS_LOST] = 1;
    } else {
      // As if Escape were pressed: the pause menu opens and the recording
      // holds it, so a replay pauses at the same flip.
      down[VK_ESCAPE] = 1;
      HoldAudio();
    }
  }
  for (SDL_Keycode k : HeldKeys) KeyboardKeyDown(ActiveBindings(), k, down);
  for (int vk = 0; vk < 256; vk++) down[vk] |= PressedSinceSample[vk];
  std::memset(PressedSinceSample, 0, sizeof PressedSinceSample);
}

void SampleGamepads(uint8_t* down) { SamplePads(ActiveBindings(), down); }

// The system's cursor is shown over the picture while the stage editor is
// up, and hidden everywhere else, as it always was.
void SamplePointer(PointerSample* pointer, uint8_t* down) {
  const int shown = CurrentInputScreen() == InputEditor ? SDL_ENABLE : SDL_DISABLE;
  if (TheSdlWindow && SDL_ShowCursor(SDL_QUERY) != shown) SDL_ShowCursor(shown);
  const uint8_t buttons = ButtonsHeld | ButtonsPressed;
  ButtonsPressed = 0;
  if (buttons & ButtonLeft) down[VK_LBUTTON] = 1;
  if (buttons & ButtonRight) down[VK_RBUTTON] = 1;
  if (buttons & ButtonMiddle) down[VK_MBUTTON] = 1;
  *pointer = PointerSample{};
  pointer->inside = PointerInWindow && PointerX >= 0 && PointerY >= 0 && PointerX < ScreenWidth && PointerY < ScreenHeight;
  if (pointer->inside) {
    pointer->x = static_cast<int16_t>(PointerX);
    pointer->y = static_cast<int16_t>(PointerY);
  }
  pointer->wheel = static_cast<int8_t>(std::clamp(WheelTurn, -127, 127));
  WheelTurn = 0;
}

uint32_t Ticks() { return SDL_GetTicks(); }
void Delay(uint32_t ms) { SDL_Delay(ms); }

// Whether the event answers the box; `closed` is set when it closes the
// window.
bool EndsMessageBox(const SDL_Event& e, const MessageBoxButton& button, bool* closed) {
  switch (e.type) {
    case SDL_QUIT: *closed = true; return true;
    case SDL_SYSWMEVENT:
      if (X11WindowDestroyedBy(e)) *closed = true;
      return WindowGone();
    case SDL_KEYDOWN: {
      const SDL_Keycode k = e.key.keysym.sym;
      return k == SDLK_RETURN || k == SDLK_KP_ENTER || k == SDLK_SPACE || k == SDLK_ESCAPE;
    }
    case SDL_MOUSEBUTTONUP:
      return e.button.x >= button.x && e.button.x < button.x + button.w && e.button.y >= button.y &&
             e.button.y < button.y + button.h;
    case SDL_CONTROLLERBUTTONDOWN:
      return e.cbutton.button == SDL_CONTROLLER_BUTTON_A || e.cbutton.button == SDL_CONTROLLER_BUTTON_B ||
             e.cbutton.button == SDL_CONTROLLER_BUTTON_START;
    default: HandlePadEvent(e); return false;
  }
}

// The game's own box in its own window: the text is drawn with the game's
// font, so it reads right whatever the locale and the system's fonts.
bool ShowMessageBox(const char* caption, const char* text, bool (*endAsked)()) {
  if (!Texture || WindowGone() || Unseen) return false;
  std::vector<uint32_t> argb(static_cast<size_t>(ScreenWidth) * ScreenHeight);
  bool closed = false;
  MessageBoxButton button;
  DrawMessageBox(caption, text, argb.data(), &button);
  SDL_UpdateTexture(Texture, nullptr, argb.data(), ScreenWidth * 4);
  ForgetConvertedPicture();
  SDL_ShowCursor(SDL_ENABLE);
  SDL_RaiseWindow(TheSdlWindow);
  bool done = false;
  while (!done && !WindowGone() && !(endAsked && endAsked())) {
    SDL_RenderClear(Renderer);
    SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
    SDL_RenderPresent(Renderer);
    SDL_Event e;
    if (SDL_WaitEventTimeout(&e, 200)) done = EndsMessageBox(e, button, &closed);
  }
  SDL_ShowCursor(SDL_DISABLE);
  return closed;
}

// X11 and Wayland keep the clipboard's text with the window that set it:
// it can be pasted while the game runs.
int HandLink(const char* link) {
  if (SDL_SetClipboardText(link) == 0) return 1;
  std::fprintf(stderr, "twinworlds: the clipboard cannot take the link: %s\n", SDL_GetError());
  return 0;
}

}  // namespace

const Backend SdlBackend = {
    .open = Open,
    .close = Close,
    .present = Present,
    .pumpEvents = PumpEvents,
    .ticks = Ticks,
    .sampleKeyboard = SampleKeyboard,
    .samplePads = SampleGamepads,
    .samplePointer = SamplePointer,
    .messageBox = ShowMessageBox,
    .openAudio = OpenAudio,
    .closeAudio = CloseAudio,
    .lockAudio = LockDevice,
    .unlockAudio = UnlockDevice,
    .delay = Delay,
    .applyWindow = ApplyWindow,
    .fullScreen = IsFullScreen,
    .largestScale = LargestScaleThatFits,
    .releaseHeldAudio = ReleaseHeldAudio,
    .handLink = HandLink,
    .filesWritten = nullptr,
};

const Backend* ChooseBackend(bool headless) { return headless ? &HeadlessBackend : &SdlBackend; }
