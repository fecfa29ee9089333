// The game's keys a player can bind, and the bindings of the keyboard and
// the pads to them: parsed from the settings' text, and applied to a key or
// a pad's state to fill down[256].
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/windows_types.h"

// The game's keys a player can bind, in the order of the settings file.
constexpr int BindableKeys = 16;

// One row a bindable key: the name in the settings file, its virtual key,
// the default bindings, and the line that documents it.
struct BindableKey {
  const char* name;
  uint8_t virtualKey;
  const char* defaults;
  const char* doc;
};
extern const BindableKey BindableKeyTable[BindableKeys];

// A pad's buttons (bit = SDL_GameControllerButton) and axes (SDL order).
constexpr int PadAxes = 6;
struct PadState {
  uint32_t buttons = 0;
  int16_t axes[PadAxes] = {};
};

// Buttons held together, or one axis pushed one way past the dead zone.
struct PadChord {
  uint32_t buttons = 0;
  int8_t axis = -1;
  int8_t sign = 0;
};

// A stick must be pushed this far (of 32767) to count, so a pad at rest
// never runs the character.
constexpr int StickDeadZone = 16000;

struct KeyBindings {
  std::vector<int32_t> keys[BindableKeys];  // SDL keycodes
  std::vector<PadChord> pads[BindableKeys];
};

// True when every item of "Left, pad:dpleft, pad:-leftx" is known.
bool CheckBindingText(const std::string& text, std::string* why);
// The bindings of every key from its text; items that do not parse are
// left out.
KeyBindings BindingsFrom(const std::string (&texts)[BindableKeys]);

// Sets down[vk] for each game key the keyboard key is bound to.
void KeyboardKeyDown(const KeyBindings& bindings, int32_t keycode, uint8_t* down);
// Sets down[vk] for the game keys a pad holds. A chord of several buttons
// takes its buttons for itself: Back+Start is Escape, not also Ctrl and Return.
void PadKeysDown(const KeyBindings& bindings, const PadState& pad, uint8_t* down);
