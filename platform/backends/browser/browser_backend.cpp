// The browser: the picture on the page's canvas, keys from the page, the
// mixer's sound into Web Audio. Every wait yields to the page (Asyncify), so
// the game keeps its own loops. The page's side is web/page/game_calls.js (`TW`).
// Pads come from the page's Gamepad API and go through the same bindings as
// the desktop's.
#include <emscripten.h>

#include <algorithm>
#include <cstring>

#include "platform/backend.h"
#include "platform/input/run_link.h"
#include "platform/input/bindings.h"
#include "platform/input/key_sampler.h"
#include "platform/picture/shown_picture.h"
#include "platform/settings/settings.h"

// A game the page runs beside its own (a pack link's replay) answers to
// calls of its own, its module's `tw`; the page's game to `TW`.
// clang-format off
EM_JS(void, JsShowPicture, (const uint8_t* rgba), { (Module['tw'] || TW).showPicture(HEAPU8.subarray(rgba, rgba + 640 * 480 * 4)); });
// With the screen the game shows (InputScreen), which the touch controls follow.
EM_JS(void, JsSampleKeys, (uint8_t* down, int screen), { (Module['tw'] || TW).sampleKeys(HEAPU8.subarray(down, down + 256), screen); });
// Each pad as SDL reads one: button bits in SDL's order, six axes.
EM_JS(int, JsSamplePads, (uint32_t* buttons, int16_t* axes, int most), {
  return (Module['tw'] || TW).samplePads(HEAPU32.subarray(buttons >> 2, (buttons >> 2) + most),
                       HEAP16.subarray(axes >> 1, (axes >> 1) + most * 6));
});
// The pointer over the canvas in the game's pixels: over it, x, y, the
// buttons held or pressed since (1 left, 2 right, 4 middle), the wheel's notches.
EM_JS(void, JsSamplePointer, (int32_t* out), { (Module['tw'] || TW).samplePointer(HEAP32.subarray(out >> 2, (out >> 2) + 5)); });
EM_JS(uint32_t, JsTicks, (), { return (Module['tw'] || TW).ticks(); });
EM_JS(int, JsOpenAudio, (), { return (Module['tw'] || TW).openAudio() ? 1 : 0; });
EM_JS(void, JsCloseAudio, (), { (Module['tw'] || TW).closeAudio(); });
EM_JS(void, JsPumpAudio, (), {
  (Module['tw'] || TW).pumpAudio(function(frames) {
    var p = _TwMixAudio(frames);
    return HEAP16.subarray(p >> 1, (p >> 1) + frames * 2);
  });
});
EM_JS(void, JsMessageBox, (const char* caption, const char* text), { (Module['tw'] || TW).messageBox(UTF8ToString(caption), UTF8ToString(text)); });
EM_JS(void, JsFinished, (), { (Module['tw'] || TW).finished(); });
// The editor's link, for the page's share panel; files of the kept packs written.
EM_JS(void, JsOfferLink, (const char* link), { (Module['tw'] || TW).offerLink(UTF8ToString(link)); });
EM_JS(void, JsFilesWritten, (const char* folder), { (Module['tw'] || TW).filesWritten(UTF8ToString(folder)); });
EM_JS(void, JsStartFault, (const char* line), { (Module['tw'] || TW).startFault(UTF8ToString(line)); });
// clang-format on

namespace {

constexpr int LargestMix = 8192;
constexpr int MostPads = 4;
static_assert(PadAxes == 6);
uint8_t Rgba[ScreenWidth * ScreenHeight * 4];
void (*AudioMix)(int16_t*, int) = nullptr;
int16_t MixBlock[LargestMix * 2];
double LastYield = 0;

// Canvas pixels are bytes in the order red, green, blue, alpha; converted
// again only when the picture or its palette changed.
void ShowPicture(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  if (PictureChangedSinceConversion(pixels, pitch, palette))
    ConvertToPixels32(pixels, pitch, palette, reinterpret_cast<uint32_t*>(Rgba), ScreenWidth * 4, true);
  JsShowPicture(Rgba);
}

bool Open(const WindowRequest&) { return true; }

void CloseAudio() {
  if (AudioMix) JsCloseAudio();
  AudioMix = nullptr;
}

void Close() {
  CloseAudio();
  JsFinished();
}

bool PumpEvents() { return false; }

void SampleKeyboard(uint8_t* down) { JsSampleKeys(down, CurrentInputScreen()); }

void SamplePads(uint8_t* down) {
  uint32_t buttons[MostPads];
  int16_t axes[MostPads * PadAxes];
  const int pads = std::clamp(JsSamplePads(buttons, axes, MostPads), 0, MostPads);
  for (int i = 0; i < pads; i++) {
    PadState pad;
    pad.buttons = buttons[i];
    std::memcpy(pad.axes, &axes[i * PadAxes], sizeof pad.axes);
    PadKeysDown(ActiveBindings(), pad, down);
  }
}

void SamplePointer(PointerSample* pointer, uint8_t* down) {
  int32_t p[5] = {};
  JsSamplePointer(p);
  *pointer = PointerSample{};
  pointer->inside = p[0] && p[1] >= 0 && p[2] >= 0 && p[1] < ScreenWidth && p[2] < ScreenHeight;
  if (pointer->inside) {
    pointer->x = static_cast<int16_t>(p[1]);
    pointer->y = static_cast<int16_t>(p[2]);
  }
  if (p[3] & 1) down[VK_LBUTTON] = 1;
  if (p[3] & 2) down[VK_RBUTTON] = 1;
  if (p[3] & 4) down[VK_MBUTTON] = 1;
  pointer->wheel = static_cast<int8_t>(std::clamp(p[4], -127, 127));
}

bool MessageBox(const char* caption, const char* text, bool (*)()) {
  JsMessageBox(caption, text);
  return false;
}

// The context starts when the page allows it (a key or a click); until
// then the page mixes and drops, so the game's sounds keep time.
bool OpenAudio(void (*mix)(int16_t*, int)) {
  if (!JsOpenAudio()) return false;
  AudioMix = mix;
  return true;
}

// The page mixes on the game's own thread, between its waits: nothing to
// keep out.
void LockAudio() {}
void UnlockAudio() {}

// The page runs only while the game waits here: top up the sound first.
void Delay(uint32_t ms) {
  if (AudioMix) JsPumpAudio();
  emscripten_sleep(ms);
}

// ?headless=1: the headless backend's virtual clock; a picture is shown,
// and the page let run, a few times a second of real time.
bool OpenHeadless(const WindowRequest&) {
  ResetVirtualClock();
  LastYield = emscripten_get_now();
  return true;
}
void PresentHeadless(const uint8_t* pixels, int pitch, const PALETTEENTRY* palette) {
  if (emscripten_get_now() - LastYield < 200) return;
  ShowPicture(pixels, pitch, palette);
  emscripten_sleep(0);
  LastYield = emscripten_get_now();
}
void NoKeys(uint8_t*) {}
bool NoAudio(void (*)(int16_t*, int)) { return false; }
int HandLink(const char* link) {
  JsOfferLink(link);
  return 2;
}
void NoAudioToClose() {}

}  // namespace

void ReportStartFault(const std::string& line) { JsStartFault(line.c_str()); }

// The page's "Share this run": the link of a recording, made by the same
// code as the desktop's --share, so both make the same link.
extern "C" EMSCRIPTEN_KEEPALIVE const char* TwRunLink(const char* text, const char* base) {
  static std::string link;
  link = MakeRunLink(text, base);
  return link.c_str();
}

// Called by the page for each block of sound it needs.
extern "C" EMSCRIPTEN_KEEPALIVE int16_t* TwMixAudio(int frames) {
  frames = std::clamp(frames, 0, LargestMix);
  if (AudioMix) AudioMix(MixBlock, frames);
  else std::memset(MixBlock, 0, sizeof(int16_t) * 2 * frames);
  return MixBlock;
}

const Backend BrowserBackend = {
    .open = Open,
    .close = Close,
    .present = ShowPicture,
    .pumpEvents = PumpEvents,
    .ticks = JsTicks,
    .sampleKeyboard = SampleKeyboard,
    .samplePads = SamplePads,
    .samplePointer = SamplePointer,
    .messageBox = MessageBox,
    .openAudio = OpenAudio,
    .closeAudio = CloseAudio,
    .lockAudio = LockAudio,
    .unlockAudio = UnlockAudio,
    .delay = Delay,
    .applyWindow = nullptr,
    .fullScreen = nullptr,
    .largestScale = nullptr,
    .releaseHeldAudio = nullptr,
    .handLink = HandLink,
    .filesWritten = JsFilesWritten,
};

// ?headless=1: the virtual clock as on the desktop, but the page still
// shows a picture now and then, and gets to run.
const Backend BrowserHeadlessBackend = {
    .open = OpenHeadless,
    .close = Close,
    .present = PresentHeadless,
    .pumpEvents = PumpEvents,
    .ticks = VirtualClockTicks,
    .sampleKeyboard = NoKeys,
    .samplePads = NoKeys,
    .samplePointer = nullptr,
    .messageBox = MessageBox,
    .openAudio = NoAudio,
    .closeAudio = NoAudioToClose,
    .lockAudio = LockAudio,
    .unlockAudio = UnlockAudio,
    .delay = nullptr,
    .applyWindow = nullptr,
    .fullScreen = nullptr,
    .largestScale = nullptr,
    .releaseHeldAudio = nullptr,
    .handLink = HandLink,
    .filesWritten = JsFilesWritten,
};

const Backend* ChooseBackend(bool headless) { return headless ? &BrowserHeadlessBackend : &BrowserBackend; }
