// The keyboard as the game reads it: the keys of the last sample, and a
// WM_KEYDOWN posted for each key that went down at it.
#include <cstring>

#include "platform/input/key_sampler.h"
#include "platform/win32/key_sample.h"
#include "platform/win32/window_queue.h"

namespace {

uint8_t KeyDown[256];

}  // namespace

void TakeKeySample(uint32_t flip) {
  uint8_t down[256];
  SampleKeys(flip, down);
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && !KeyDown[vk]) PostWindowMessage(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
  std::memcpy(KeyDown, down, sizeof KeyDown);
}

void ForgetKeys() { std::memset(KeyDown, 0, sizeof KeyDown); }

SHORT GetAsyncKeyState(int virtualKey) {
  return (virtualKey >= 0 && virtualKey < 256 && KeyDown[virtualKey]) ? static_cast<SHORT>(0x8000) : 0;
}
