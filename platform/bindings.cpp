// Key and pad bindings, read with SDL's own names for keys and buttons.
#include "platform/bindings.h"

#ifdef TWINWORLDS_WEB
#include "platform/web/sdl_names.h"
#else
#include <SDL.h>
#endif

#include <bit>

namespace {

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  const size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

std::vector<std::string> Items(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    out.push_back(Trim(text.substr(start, comma - start)));
    start = comma + 1;
  }
  return out;
}

bool ParsePad(const std::string& name, PadChord* out) {
  PadChord chord;
  if (!name.empty() && (name[0] == '+' || name[0] == '-')) {
    const SDL_GameControllerAxis axis = SDL_GameControllerGetAxisFromString(name.c_str() + 1);
    if (axis == SDL_CONTROLLER_AXIS_INVALID || axis >= kPadAxes) return false;
    chord.axis = static_cast<int8_t>(axis);
    chord.sign = name[0] == '+' ? 1 : -1;
    *out = chord;
    return true;
  }
  size_t start = 0;
  while (start <= name.size()) {
    size_t plus = name.find('+', start);
    if (plus == std::string::npos) plus = name.size();
    const std::string part = name.substr(start, plus - start);
    const SDL_GameControllerButton b = SDL_GameControllerGetButtonFromString(part.c_str());
    if (part.empty() || b == SDL_CONTROLLER_BUTTON_INVALID || static_cast<int>(b) >= 32) return false;  // the mask holds 32 buttons
    chord.buttons |= 1u << b;
    start = plus + 1;
  }
  *out = chord;
  return true;
}

// One item: a keycode, or a pad chord; false when it is neither.
bool ParseItem(const std::string& item, int32_t* key, PadChord* pad, bool* isPad) {
  if (item.rfind("pad:", 0) == 0) {
    *isPad = true;
    return ParsePad(item.substr(4), pad);
  }
  *isPad = false;
  if (item.empty()) return false;
  *key = SDL_GetKeyFromName(item.c_str());
  return *key != SDLK_UNKNOWN;
}

bool ChordHeld(const PadChord& c, const PadState& pad) {
  if (c.axis >= 0) return c.sign * pad.axes[c.axis] > kStickDeadZone;
  return c.buttons && (pad.buttons & c.buttons) == c.buttons;
}

}  // namespace

bool CheckBindingText(const std::string& text, std::string* why) {
  if (Trim(text).empty()) return true;  // nothing bound
  for (const std::string& item : Items(text)) {
    int32_t key;
    PadChord pad;
    bool isPad;
    if (!ParseItem(item, &key, &pad, &isPad)) {
      *why = isPad ? "'" + item + "' is not a pad button or stick direction" : "'" + item + "' is not a key name";
      return false;
    }
  }
  return true;
}

KeyBindings BindingsFrom(const GameSettings& settings) {
  KeyBindings b;
  for (int i = 0; i < kBindableKeys; i++) {
    if (Trim(settings.bindings[i]).empty()) continue;
    for (const std::string& item : Items(settings.bindings[i])) {
      int32_t key;
      PadChord pad;
      bool isPad;
      if (!ParseItem(item, &key, &pad, &isPad)) continue;
      if (isPad) b.pads[i].push_back(pad);
      else b.keys[i].push_back(key);
    }
  }
  return b;
}

void KeyboardKeyDown(const KeyBindings& bindings, int32_t keycode, uint8_t* down) {
  for (int i = 0; i < kBindableKeys; i++)
    for (int32_t k : bindings.keys[i])
      if (k == keycode) down[kBindableKeyTable[i].virtualKey] = 1;
}

void PadKeysDown(const KeyBindings& bindings, const PadState& pad, uint8_t* down) {
  // Chords of more buttons first; the buttons of a chord that is held are
  // taken from the smaller ones.
  uint32_t taken = 0;
  for (int size = 32; size >= 1; size--) {
    uint32_t takenNow = 0;
    for (int i = 0; i < kBindableKeys; i++)
      for (const PadChord& c : bindings.pads[i]) {
        if (c.axis >= 0 ? size != 1 : std::popcount(c.buttons) != size) continue;
        if ((c.buttons & taken) || !ChordHeld(c, pad)) continue;
        down[kBindableKeyTable[i].virtualKey] = 1;
        if (size > 1) takenNow |= c.buttons;
      }
    taken |= takenNow;
  }
}
