// The music in the browser: the page's FluidSynth (js-synthesizer, with the
// same soundfont) plays the MIDI file, rendered from inside the mixer as on
// the desktop, so music and sound effects keep one clock.
#include <emscripten.h>

#include <cstdio>

#include "platform/backend.h"

// clang-format off
EM_JS(int, JsMusicLoad, (), { return (Module['tw'] || TW).music.load() ? 1 : 0; });
EM_JS(void, JsMusicStart, (const uint8_t* midi, int size, int loops), { (Module['tw'] || TW).music.start(HEAPU8.slice(midi, midi + size), loops); });
EM_JS(void, JsMusicStop, (), { (Module['tw'] || TW).music.stop(); });
EM_JS(void, JsMusicRender, (int32_t* mix, int frames), { (Module['tw'] || TW).music.render(HEAP32.subarray(mix >> 2, (mix >> 2) + frames * 2), frames); });
// clang-format on

namespace {

bool Loaded = false;
bool SynthFailed = false;
bool Started = false;

}  // namespace

// The soundfont loads in the page meanwhile; what is asked before it is
// ready happens when it is.
bool LoadMusicSynth() {
  if (Loaded) return true;
  if (SynthFailed) return false;
  if (!JsMusicLoad()) {
    std::fprintf(stderr, "twinworlds: no music: the page's synthesizer is missing\n");
    SynthFailed = true;
    return false;
  }
  Loaded = true;
  return true;
}

void ForgetMusicSynthFailure() { SynthFailed = false; }

void UnloadMusicSynth() {
  StopMusicSynth();
  Loaded = false;
}

void StartMusicSynth(const std::vector<uint8_t>& midi, int loops) {
  if (!Loaded || midi.empty()) return;
  JsMusicStart(midi.data(), static_cast<int>(midi.size()), loops);
  Started = true;
}

void StopMusicSynth() {
  if (!Started) return;
  JsMusicStop();
  Started = false;
}

void RenderMusic(int32_t* mix, int frames) {
  if (Started) JsMusicRender(mix, frames);
}
