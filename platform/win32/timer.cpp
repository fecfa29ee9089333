// The multimedia timer, and the wait between frames that it hides.
#include "platform/backend.h"
#include "platform/shell/run.h"
#include "platform/win32/win32.h"

UINT timeBeginPeriod(UINT) { return 0; }
UINT timeEndPeriod(UINT) { return 0; }

namespace {

// The game runs a frame once 30 ms have passed since its last one, and
// polls the clock in a tight loop until then. A poll that finds the same
// millisecond again sleeps until that frame is due: the last value read
// before a flip is when the frame that flipped began.
constexpr uint32_t FramePaceMs = 30;
uint32_t LastTicksRead = 0;
uint32_t FrameStartTicks = 0;
uint32_t FlipsAtLastRead = 0;

}  // namespace

DWORD timeGetTime() {
  if (!ActiveBackend) return 0;
  uint32_t now = ActiveBackend->ticks();
  if (FlipCount() != FlipsAtLastRead) {
    FrameStartTicks = LastTicksRead;
    FlipsAtLastRead = FlipCount();
  } else if (now == LastTicksRead && ActiveBackend->delay) {
    const uint32_t left = FrameStartTicks + FramePaceMs - now;
    ActiveBackend->delay(left >= 1 && left <= FramePaceMs ? left : 1);
    now = ActiveBackend->ticks();
  }
  LastTicksRead = now;
  return now;
}

