// A real window through SDL2: the 640 x 480 picture scaled by whole steps,
// letterboxed and nearest-pixel, full screen unless a window is asked for;
// and the default audio device, fed by the software mixer.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "platform/audio_mixer.h"
#include "platform/internal.h"

namespace {

SDL_Window* TheSdlWindow = nullptr;
SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
bool VideoStarted = false;

uint8_t LiveDown[256];
uint8_t PressedSinceSample[256];

SDL_AudioDeviceID AudioDevice = 0;
bool AudioStarted = false;
void (*AudioMix)(int16_t*, int) = nullptr;

// Keys are taken by what they are labelled, as Windows' virtual keys are.
int VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return VK_CONTROL;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_UP: return VK_UP;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_DOWN: return VK_DOWN;
    default: return -1;
  }
}

int LargestScaleThatFits() {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 2;
  int scale = 1;
  while (kScreenWidth * (scale + 1) <= usable.w - 32 && kScreenHeight * (scale + 1) <= usable.h - 64) scale++;
  return scale;
}

void AudioCallback(void*, Uint8* stream, int length) {
  AudioMix(reinterpret_cast<int16_t*>(stream), length / static_cast<int>(sizeof(int16_t) * AudioChannels));
}

bool OpenAudio(void (*mix)(int16_t*, int)) {
  if (AudioDevice) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
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
    std::fprintf(stderr, "twinworlds: no sound: %s\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    AudioStarted = false;
    return false;
  }
  SDL_PauseAudioDevice(AudioDevice, 0);
  return true;
}

void CloseAudio() {
  if (AudioDevice) SDL_CloseAudioDevice(AudioDevice);
  AudioDevice = 0;
  if (AudioStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  AudioStarted = false;
}

void LockDevice() {
  if (AudioDevice) SDL_LockAudioDevice(AudioDevice);
}

void UnlockDevice() {
  if (AudioDevice) SDL_UnlockAudioDevice(AudioDevice);
}

void Close() {
  CloseAudio();
  if (Texture) SDL_DestroyTexture(Texture);
  if (Renderer) SDL_DestroyRenderer(Renderer);
  if (TheSdlWindow) SDL_DestroyWindow(TheSdlWindow);
  Texture = nullptr;
  Renderer = nullptr;
  TheSdlWindow = nullptr;
  if (VideoStarted) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  VideoStarted = false;
}

bool Open(const RunOptions& options, const char* title) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "twinworlds: cannot open a window: %s (--headless runs without one)\n", SDL_GetError());
    return false;
  }
  VideoStarted = true;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  const int scale = options.window ? (options.scale > 0 ? options.scale : LargestScaleThatFits()) : 1;
  Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
  flags |= options.window ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
  TheSdlWindow = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kScreenWidth * scale,
                                  kScreenHeight * scale, flags);
  if (TheSdlWindow) {
    Renderer = SDL_CreateRenderer(TheSdlWindow, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!Renderer) Renderer = SDL_CreateRenderer(TheSdlWindow, -1, SDL_RENDERER_SOFTWARE);
  }
  if (Renderer) {
    SDL_RenderSetLogicalSize(Renderer, kScreenWidth, kScreenHeight);
    SDL_RenderSetIntegerScale(Renderer, SDL_TRUE);
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, kScreenWidth,
                                kScreenHeight);
  }
  if (!Texture) {
    std::fprintf(stderr, "twinworlds: cannot open a window: %s (--headless runs without one)\n", SDL_GetError());
    Close();
    return false;
  }
  if (!options.window) SDL_ShowCursor(SDL_DISABLE);
  std::memset(LiveDown, 0, sizeof LiveDown);
  std::memset(PressedSinceSample, 0, sizeof PressedSinceSample);
  SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
  SDL_RenderClear(Renderer);
  SDL_RenderPresent(Renderer);
  return true;
}

void ShowTexture() {
  SDL_RenderClear(Renderer);
  SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
  SDL_RenderPresent(Renderer);
}

void Present(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  if (!Texture) return;
  void* out;
  int outPitch;
  if (SDL_LockTexture(Texture, nullptr, &out, &outPitch) != 0) return;
  ConvertToArgb(pixels, pitch, palette, static_cast<uint32_t*>(out), outPitch);
  SDL_UnlockTexture(Texture);
  ShowTexture();
}

void PumpEvents() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) {
    switch (e.type) {
      case SDL_QUIT: RequestQuitFromOutside(); break;
      case SDL_KEYDOWN:
      case SDL_KEYUP: {
        if (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT)) {
          // Alt+Enter switches between full screen and a window.
          const bool full = SDL_GetWindowFlags(TheSdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP;
          if (!e.key.repeat) SDL_SetWindowFullscreen(TheSdlWindow, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
          break;
        }
        const int vk = VirtualKeyOf(e.key.keysym.sym);
        if (vk < 0) break;
        LiveDown[vk] = e.type == SDL_KEYDOWN;
        if (e.type == SDL_KEYDOWN) PressedSinceSample[vk] = 1;
        break;
      }
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) std::memset(LiveDown, 0, sizeof LiveDown);
        if (e.window.event == SDL_WINDOWEVENT_EXPOSED && Renderer) {
          SDL_RenderClear(Renderer);
          SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
          SDL_RenderPresent(Renderer);
        }
        break;
      default: break;
    }
  }
}

// A key tapped between two samples still counts as down at the next one.
void SampleKeyboard(uint8_t* down) {
  for (int vk = 0; vk < 256; vk++) down[vk] = LiveDown[vk] | PressedSinceSample[vk];
  std::memset(PressedSinceSample, 0, sizeof PressedSinceSample);
}

uint32_t Ticks() { return SDL_GetTicks(); }

void Delay(uint32_t ms) { SDL_Delay(ms); }

void ShowMessageBox(const char* caption, const char* text) {
  if (TheSdlWindow && (SDL_GetWindowFlags(TheSdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP))
    SDL_MinimizeWindow(TheSdlWindow);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, nullptr);
}

}  // namespace

const Backend SdlBackend = {Open,           Close,          Present,   PumpEvents, Ticks,
                            SampleKeyboard, ShowMessageBox, OpenAudio, CloseAudio, LockDevice,
                            UnlockDevice,   Delay};
