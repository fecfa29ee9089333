// The keyboard and the mouse as the game reads them: the keys of the last
// sample, a WM_KEYDOWN posted for each key that went down at it, and the
// mouse's messages for what the pointer did since the sample before.
#include <cstring>

#include "platform/input/key_sampler.h"
#include "platform/win32/key_sample.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_queue.h"

namespace {

uint8_t KeyDown[256];
PointerSample LastPointer{};
// Where the pointer was last seen over the picture: a button let go off it
// is let go there, as Windows reports a captured mouse.
LPARAM LastPlace = 0;

bool MouseButton(int vk) { return vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON; }

WPARAM MouseFlags(const uint8_t* down) {
  WPARAM flags = 0;
  if (down[VK_LBUTTON]) flags |= MK_LBUTTON;
  if (down[VK_RBUTTON]) flags |= MK_RBUTTON;
  if (down[VK_MBUTTON]) flags |= MK_MBUTTON;
  if (down[0xA0] || down[0xA1]) flags |= MK_SHIFT;  // either Shift key
  if (down[VK_CONTROL] || down[0xA2] || down[0xA3]) flags |= MK_CONTROL;
  return flags;
}

// A move first, then the buttons that changed, then the wheel, as Windows
// orders them.
void PostPointerMessages(const uint8_t* down, const PointerSample& p) {
  const WPARAM flags = MouseFlags(down);
  if (p.inside) {
    const LPARAM place = MAKELPARAM(p.x, p.y);
    if (!LastPointer.inside || place != LastPlace) PostWindowMessage(WM_MOUSEMOVE, flags, place);
    LastPlace = place;
  }
  struct Button {
    int vk;
    UINT pressed, released;
  };
  constexpr Button Buttons[3] = {{VK_LBUTTON, WM_LBUTTONDOWN, WM_LBUTTONUP},
                                 {VK_RBUTTON, WM_RBUTTONDOWN, WM_RBUTTONUP},
                                 {VK_MBUTTON, WM_MBUTTONDOWN, WM_MBUTTONUP}};
  for (const Button& b : Buttons)
    if (down[b.vk] != KeyDown[b.vk]) PostWindowMessage(down[b.vk] ? b.pressed : b.released, flags, LastPlace);
  if (p.wheel)
    PostWindowMessage(WM_MOUSEWHEEL, flags | static_cast<WPARAM>(static_cast<uint16_t>(p.wheel * WHEEL_DELTA)) << 16,
                      LastPlace);
  LastPointer = p;
}

}  // namespace

void TakeKeySample(uint32_t flip) {
  uint8_t down[256];
  SampleKeys(flip, down);
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && !KeyDown[vk] && !MouseButton(vk)) PostWindowMessage(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
  PostPointerMessages(down, SampledPointer());
  std::memcpy(KeyDown, down, sizeof KeyDown);
}

void ForgetKeys() {
  std::memset(KeyDown, 0, sizeof KeyDown);
  LastPointer = {};
  LastPlace = 0;
}

SHORT GetAsyncKeyState(int virtualKey) {
  return (virtualKey >= 0 && virtualKey < 256 && KeyDown[virtualKey]) ? static_cast<SHORT>(0x8000) : 0;
}
