// The game-key table, and key and pad bindings read with the names the
// backend gives keys and buttons (SDL's).
#include "platform/input/bindings.h"

#include <bit>
#include <initializer_list>

#include "platform/backend.h"
#include "platform/files/text_fields.h"
#include "platform/input/raw_keys.h"

const BindableKey BindableKeyTable[BindableKeys] = {
    {"left", VK_LEFT, "Left, pad:dpleft, pad:-leftx", "run left; menu cursor"},
    {"right", VK_RIGHT, "Right, pad:dpright, pad:+leftx", "run right; menu cursor"},
    {"up", VK_UP, "Up, pad:dpup, pad:-lefty", "with slash: upward slash; menu cursor"},
    {"down", VK_DOWN, "Down, pad:dpdown, pad:+lefty", "with slash: downward thrust; menu cursor"},
    {"jump", 'Z', "Z, pad:a", "jump; off a wall you cling to, wall jump"},
    {"vertical_slash", 'X', "X, pad:x", "vertical slash"},
    {"horizontal_slash", 'C', "C, pad:b", "horizontal slash"},
    {"switch_worlds", VK_SPACE, "Space, pad:y, pad:leftshoulder, pad:rightshoulder", "switch worlds"},
    {"skill_menu", VK_CONTROL, "Left Ctrl, Right Ctrl, pad:back", "open and close the skill menu"},
    {"spawn", VK_BACK, "Backspace", "while held, enemies may appear"},
    {"enter", VK_RETURN, "Return, Keypad Enter, pad:start, pad:a", "start; choose in menus; continue"},
    {"yes", 'Y', "Y, pad:a", "yes in questions"},
    {"no", 'N', "N, pad:b", "no in questions (from a pad, held after death)"},
    {"pause", VK_ESCAPE, "Escape, pad:start", "pause menu; leave the options screen"},
    {"pause_resume", VK_F1, "F1, pad:b, pad:start", "pause menu: back to the game; leave the options screen"},
    {"pause_quit", VK_F2, "F2, pad:x", "pause menu: quit (from a pad, held)"},
    {"options", VK_F3, "F3, pad:back", "title and pause menu: the options screen"},
    {"stages", VK_F4, "F4, pad:y", "title: the list of stages to play, the game's own or a pack"},
    {"editor", VK_F5, "F5, pad:x", "title: the stage editor; in it, a play-test; in the play-test, back to it"},
};

namespace {

constexpr uint32_t Bit(int action) { return 1u << action; }
constexpr uint32_t Arrows = Bit(ActionLeft) | Bit(ActionRight) | Bit(ActionUp) | Bit(ActionDown);
constexpr uint32_t Heard[InputScreens] = {
    0xFFFFFFFFu,
    Bit(ActionEnter) | Bit(ActionOptions) | Bit(ActionStages) | Bit(ActionEditor),
    Arrows | Bit(ActionJump) | Bit(ActionVerticalSlash) | Bit(ActionHorizontalSlash) | Bit(ActionSwitchWorlds) |
        Bit(ActionSkillMenu) | Bit(ActionSpawn) | Bit(ActionPause),
    Arrows | Bit(ActionEnter) | Bit(ActionSkillMenu),
    Bit(ActionYes) | Bit(ActionNo),
    Bit(ActionYes) | Bit(ActionNo),
    Bit(ActionPauseResume) | Bit(ActionPauseQuit) | Bit(ActionOptions),
    Bit(ActionEnter),
    // Start and B leave, A chooses: the screen takes F1 before Return.
    Arrows | Bit(ActionEnter) | Bit(ActionPauseResume),
    0,
    0,  // the editor reads the pad's own buttons
};

KeyBindings Active;
bool Choosing = false;
bool Editing = false;

}  // namespace

uint32_t PadActionsHeard(uint8_t screen) { return screen < InputScreens ? Heard[screen] : 0; }

uint32_t PadActionsHeld(uint8_t screen) {
  if (screen == InputPauseMenu) return Bit(ActionPauseQuit);
  if (screen == InputDeathDialog) return Bit(ActionNo);
  return 0;
}

bool PadActionsMeet(int a, int b) {
  // The options screen is left out: its keys are the menus' own and it
  // settles Start (both Return and F1 there) itself.
  for (int s = InputTitle; s < InputOptions; s++)
    if ((Heard[s] & Bit(a)) && (Heard[s] & Bit(b))) return true;
  return false;
}

const KeyBindings& ActiveBindings() { return Active; }
void SetActiveBindings(const KeyBindings& bindings) { Active = bindings; }
bool ChoosingKey() { return Choosing; }
void SetChoosingKey(bool choosing) { Choosing = choosing; }
bool EditorKeys() { return Editing; }
void SetEditorKeys(bool editing) { Editing = editing; }


namespace {

bool ParsePad(const std::string& name, PadChord* out) {
  PadChord chord;
  if (!name.empty() && (name[0] == '+' || name[0] == '-')) {
    const int axis = PadAxisFromName(name.c_str() + 1);
    if (axis < 0 || axis >= PadAxes) return false;
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
    const int b = PadButtonFromName(part.c_str());
    if (part.empty() || b < 0 || b >= 32) return false;  // the mask holds 32 buttons
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
  *key = KeyCodeFromName(item.c_str());
  return *key != 0;
}

bool ChordHeld(const PadChord& c, const PadState& pad) {
  if (c.axis >= 0) return c.sign * pad.axes[c.axis] > StickDeadZone;
  return c.buttons && (pad.buttons & c.buttons) == c.buttons;
}

}  // namespace

bool CheckBindingText(const std::string& text, std::string* why) {
  if (Trim(text).empty()) return true;  // nothing bound
  for (const std::string& item : SplitFields(text, ',')) {
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

KeyBindings BindingsFrom(const std::string (&texts)[BindableKeys]) {
  KeyBindings b;
  for (int i = 0; i < BindableKeys; i++) {
    if (Trim(texts[i]).empty()) continue;
    for (const std::string& item : SplitFields(texts[i], ',')) {
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
  if (Editing)
    for (int action : {ActionSwitchWorlds, ActionEditor})
      for (int32_t k : bindings.keys[action])
        if (k == keycode) {
          down[BindableKeyTable[action].virtualKey] = 1;
          return;
        }
  if (Choosing || Editing) {
    for (int i = 0; i < RawKeys; i++) {
      const RawKey& k = RawKeyTable[i];
      // The switch key's place, and the play-test key's.
      if (Editing && (k.virtualKey == VK_SPACE || k.virtualKey == VK_F5)) continue;
      if (k.bindingItem && !IsPadKey(k.virtualKey) && KeyCodeFromName(k.bindingItem) == keycode) down[k.virtualKey] = 1;
    }
    return;
  }
  for (int i = 0; i < BindableKeys; i++)
    for (int32_t k : bindings.keys[i])
      if (k == keycode) down[BindableKeyTable[i].virtualKey] = 1;
}

void PadKeysDown(const KeyBindings& bindings, const PadState& pad, uint8_t* down) {
  static PadChord chords[VK_GAMEPAD_LAST - VK_GAMEPAD_A + 1];
  static bool parsed = false;
  if (!parsed) {
    for (int vk = VK_GAMEPAD_A; vk <= VK_GAMEPAD_LAST; vk++) ParsePad(RawKeyOf(vk)->bindingItem + 4, &chords[vk - VK_GAMEPAD_A]);
    parsed = true;
  }
  for (int vk = VK_GAMEPAD_A; vk <= VK_GAMEPAD_LAST; vk++)
    if (ChordHeld(chords[vk - VK_GAMEPAD_A], pad)) down[vk] = 1;
  if (Choosing || Editing) return;
  // Chords of more buttons first; the buttons of a chord that is held are
  // taken from the smaller ones.
  uint32_t taken = 0;
  for (int size = 32; size >= 1; size--) {
    uint32_t takenNow = 0;
    for (int i = 0; i < BindableKeys; i++)
      for (const PadChord& c : bindings.pads[i]) {
        if (c.axis >= 0 ? size != 1 : std::popcount(c.buttons) != size) continue;
        if ((c.buttons & taken) || !ChordHeld(c, pad)) continue;
        down[BindableKeyTable[i].virtualKey] = 1;
        if (size > 1) takenNow |= c.buttons;
      }
    taken |= takenNow;
  }
}
