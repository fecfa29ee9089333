// The browser: the picture on the page's canvas, keys from the page, the
// mixer's sound into Web Audio. Every wait yields to the page (Asyncify), so
// the game keeps its own loops. The page's side is web/page.js (`TW`).
// Pads come from the page's Gamepad API and go through the same bindings as
// the desktop's.
#include <emscripten.h>

#include <algorithm>
#include <cstring>

#include "platform/bindings.h"
#include "platform/internal.h"
#include "platform/settings.h"

// clang-format off
EM_JS(void, JsShowPicture, (const uint8_t* rgba), { TW.showPicture(HEAPU8.subarray(rgba, rgba + 640 * 480 * 4)); });
EM_JS(void, JsSampleKeys, (uint8_t* down), { TW.sampleKeys(HEAPU8.subarray(down, down + 256)); });
// Each pad as SDL reads one: button bits in SDL's order, six axes.
EM_JS(int, JsSamplePads, (uint32_t* buttons, int16_t* axes, int most), {
  return TW.samplePads(HEAPU32.subarray(buttons >> 2, (buttons >> 2) + most),
                       HEAP16.subarray(axes >> 1, (axes >> 1) + most * 6));
});
EM_JS(uint32_t, JsTicks, (), { return TW.ticks(); });
EM_JS(int, JsOpenAudio, (), { return TW.openAudio() ? 1 : 0; });
EM_JS(void, JsCloseAudio, (), { TW.closeAudio(); });
EM_JS(void, JsPumpAudio, (), {
  TW.pumpAudio(function(frames) {
    var p = _TwMixAudio(frames);
    return HEAP16.subarray(p >> 1, (p >> 1) + frames * 2);
  });
});
EM_JS(void, JsMessageBox, (const char* caption, const char* text), { TW.messageBox(UTF8ToString(caption), UTF8ToString(text)); });
EM_JS(void, JsFinished, (), { TW.finished(); });
// clang-format on

namespace {

constexpr int kLargestMix = 8192;
constexpr int kMostPads = 4;
static_assert(kPadAxes == 6);
KeyBindings Bindings;
uint8_t Rgba[kScreenWidth * kScreenHeight * 4];
void (*AudioMix)(int16_t*, int) = nullptr;
int16_t MixBlock[kLargestMix * 2];
uint32_t VirtualMs = 0;
double LastYield = 0;

// Canvas pixels are bytes in the order red, green, blue, alpha.
void ShowPicture(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  uint32_t colours[256];
  for (int i = 0; i < 256; i++)
    colours[i] = 0xFF000000u | palette[i].peBlue << 16 | palette[i].peGreen << 8 | palette[i].peRed;
  auto* out = reinterpret_cast<uint32_t*>(Rgba);
  for (int y = 0; y < kScreenHeight; y++) {
    const uint8_t* s = pixels + static_cast<size_t>(y) * pitch;
    for (int x = 0; x < kScreenWidth; x++) out[y * kScreenWidth + x] = colours[s[x]];
  }
  JsShowPicture(Rgba);
}

bool Open(const RunOptions&, const char*) {
  Bindings = BindingsFrom(CurrentSettings());
  return true;
}

void CloseAudio() {
  if (AudioMix) JsCloseAudio();
  AudioMix = nullptr;
}

void Close() {
  CloseAudio();
  JsFinished();
}

void PumpEvents() {}

void SampleKeyboard(uint8_t* down) {
  JsSampleKeys(down);
  uint32_t buttons[kMostPads];
  int16_t axes[kMostPads * kPadAxes];
  const int pads = std::clamp(JsSamplePads(buttons, axes, kMostPads), 0, kMostPads);
  for (int i = 0; i < pads; i++) {
    PadState pad;
    pad.buttons = buttons[i];
    std::memcpy(pad.axes, &axes[i * kPadAxes], sizeof pad.axes);
    PadKeysDown(Bindings, pad, down);
  }
}

void MessageBox(const char* caption, const char* text) { JsMessageBox(caption, text); }

// The context starts when the page allows it (a key or a click); until
// then the page mixes and drops, so the game's sounds keep time.
bool OpenAudio(void (*mix)(int16_t*, int)) {
  if (!JsOpenAudio()) return false;
  AudioMix = mix;
  return true;
}

void NoLock() {}

// The page runs only while the game waits here: top up the sound first.
void Delay(uint32_t ms) {
  if (AudioMix) JsPumpAudio();
  emscripten_sleep(ms);
}

// ?headless=1: the headless backend's virtual clock; a picture is shown,
// and the page let run, a few times a second of real time.
bool OpenHeadless(const RunOptions&, const char*) {
  VirtualMs = 0;
  LastYield = emscripten_get_now();
  return true;
}
void PresentHeadless(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  if (emscripten_get_now() - LastYield < 200) return;
  ShowPicture(pixels, pitch, palette);
  emscripten_sleep(0);
  LastYield = emscripten_get_now();
}
uint32_t VirtualTicks() { return VirtualMs++; }
void NoKeys(uint8_t*) {}
bool NoAudio(void (*)(int16_t*, int)) { return false; }

}  // namespace

// Called by the page for each block of sound it needs.
extern "C" EMSCRIPTEN_KEEPALIVE int16_t* TwMixAudio(int frames) {
  frames = std::clamp(frames, 0, kLargestMix);
  if (AudioMix) AudioMix(MixBlock, frames);
  else std::memset(MixBlock, 0, sizeof(int16_t) * 2 * frames);
  return MixBlock;
}

const Backend WebBackend = {Open,           Close,      ShowPicture, PumpEvents, JsTicks,
                            SampleKeyboard, MessageBox, OpenAudio,   CloseAudio, NoLock,
                            NoLock,         Delay};

const Backend WebHeadlessBackend = {OpenHeadless, Close,      PresentHeadless, PumpEvents, VirtualTicks,
                                    NoKeys,       MessageBox, NoAudio,         NoLock,     NoLock,
                                    NoLock,       nullptr};
