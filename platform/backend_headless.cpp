// No window and no sound: the picture stays in memory, and time is a virtual
// clock that moves one millisecond each time it is read, so that a loop that
// waits for it never stalls and every run takes the same course.
#include "platform/internal.h"

namespace {

uint32_t VirtualMs = 0;

bool Open(const RunOptions&, const char*) {
  VirtualMs = 0;
  return true;
}
void Close() {}
void Present(const uint8_t*, int, const PALETTEENTRY*) {}
void PumpEvents() {}
uint32_t Ticks() { return VirtualMs++; }
void SampleKeyboard(uint8_t*) {}
void MessageBox(const char*, const char*) {}
bool OpenAudio(void (*)(int16_t*, int)) { return false; }
void AudioNoop() {}

}  // namespace

const Backend HeadlessBackend = {Open,           Close,      Present,   PumpEvents, Ticks,
                                 SampleKeyboard, MessageBox, OpenAudio, AudioNoop,  AudioNoop,
                                 AudioNoop,      nullptr};
