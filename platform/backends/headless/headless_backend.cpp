// No window and no sound: the picture stays in memory, no key is ever
// down but the input file's, and time is the virtual clock.
#include "platform/backend.h"

namespace {

uint32_t VirtualMs = 0;

bool Open(const WindowRequest&) {
  ResetVirtualClock();
  return true;
}
void Close() {}
void Present(const uint8_t*, int, const PALETTEENTRY*) {}
bool PumpEvents() { return false; }
void NoKeys(uint8_t*) {}
bool MessageBox(const char*, const char*, bool (*)()) { return false; }
bool OpenAudio(void (*)(int16_t*, int)) { return false; }
void CloseAudio() {}
void LockAudio() {}
void UnlockAudio() {}

}  // namespace

void ResetVirtualClock() { VirtualMs = 0; }
uint32_t VirtualClockTicks() { return VirtualMs++; }

const Backend HeadlessBackend = {
    .open = Open,
    .close = Close,
    .present = Present,
    .pumpEvents = PumpEvents,
    .ticks = VirtualClockTicks,
    .sampleKeyboard = NoKeys,
    .samplePads = NoKeys,
    .samplePointer = nullptr,
    .messageBox = MessageBox,
    .openAudio = OpenAudio,
    .closeAudio = CloseAudio,
    .lockAudio = LockAudio,
    .unlockAudio = UnlockAudio,
    .delay = nullptr,
    .applyWindow = nullptr,
    .fullScreen = nullptr,
    .largestScale = nullptr,
    .releaseHeldAudio = nullptr,
    .handLink = nullptr,
    .filesWritten = nullptr,
};
