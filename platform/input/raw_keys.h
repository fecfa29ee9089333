// SPDX-License-Identifier: MIT
// Every key the sample can hold, by its virtual key: the name input files
// give it, and for a key or pad button the player can press, the item a
// binding names it by ("Left Ctrl", "pad:a"). While a key is being chosen
// for a binding, the sample holds these keys as pressed, not the game keys
// they are bound to, so a recording of the choice replays it.
#pragma once

#include <cstdint>

struct RawKey {
  uint8_t virtualKey;
  const char* fileName;     // "LCONTROL", "GAMEPAD_A"
  const char* bindingItem;  // "Left Ctrl", "pad:a"; null for a game key alone (CONTROL), the mouse's buttons and the marks
};
extern const RawKey RawKeyTable[];
extern const int RawKeys;

// The row of a virtual key, or null.
const RawKey* RawKeyOf(int virtualKey);
// The virtual key of a binding item ("Left Ctrl", "pad:+leftx"), 0 when none.
uint8_t RawKeyOfItem(const char* item);
