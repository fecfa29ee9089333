// The key sampler: one sample a flip, from the key source, the input file
// or the backend's keyboard and pads, recorded when asked.
#include "platform/input/key_sampler.h"

#include <cstring>

#include "platform/backend.h"

namespace {

void (*KeySource)(uint32_t, uint8_t*) = nullptr;
std::vector<InputLine> Script;
bool UseScript = false;
bool ThenLive = false;
size_t ScriptNext = 0;
InputRecording Recording{};
uint8_t Screen = InputAnyScreen;
uint8_t ScreenOfLastSample = InputAnyScreen;
bool PadHushed = false;  // a button held since the screen changed
uint16_t HeldFor[BindableKeys];
uint8_t LastSample[256];
bool PadLast = false;

bool AnyPadKey(const uint8_t* down) {
  for (int vk = VK_GAMEPAD_A; vk <= VK_GAMEPAD_LAST; vk++)
    if (down[vk]) return true;
  return false;
}

// The pad's part of a live sample: the game keys this screen listens to,
// none while a button is still held from the screen before, and the held
// ones only once held long enough.
void SettlePadKeys(uint8_t* pad) {
  if (Screen != ScreenOfLastSample) {
    ScreenOfLastSample = Screen;
    PadHushed = AnyPadKey(pad);
    for (uint16_t& h : HeldFor) h = 0;
  }
  if (PadHushed && !AnyPadKey(pad)) PadHushed = false;
  const uint32_t heard = PadHushed ? 0 : PadActionsHeard(Screen), held = PadActionsHeld(Screen);
  for (int i = 0; i < BindableKeys; i++) {
    uint8_t& d = pad[BindableKeyTable[i].virtualKey];
    if (!(heard >> i & 1)) d = 0;
    if (held >> i & 1) {
      HeldFor[i] = d ? static_cast<uint16_t>(HeldFor[i] < PadHoldFlips ? HeldFor[i] + 1 : PadHoldFlips) : 0;
      if (HeldFor[i] < PadHoldFlips) d = 0;
    }
  }
}

// The pad was the last thing touched when one of its buttons went down;
// the keyboard, when a key went down with no pad button held.
void NoteLastDevice(const uint8_t* down) {
  bool padNew = false, keyNew = false;
  for (int vk = 0; vk < 256; vk++) {
    if (!down[vk] || LastSample[vk]) continue;
    if (IsPadKey(vk)) padNew = true;
    else keyNew = true;
  }
  if (padNew) PadLast = true;
  else if (keyNew && !AnyPadKey(down)) PadLast = false;
  std::memcpy(LastSample, down, sizeof LastSample);
}

}  // namespace

void SetKeySource(void (*source)(uint32_t flip, uint8_t* down)) { KeySource = source; }

void StartKeySampler(bool fromScript, const std::vector<InputLine>& script, const std::string& recordFile,
                     bool thenLive) {
  Script = script;
  UseScript = fromScript;
  ThenLive = thenLive;
  ScriptNext = 0;
  Screen = ScreenOfLastSample = InputAnyScreen;
  PadHushed = PadLast = false;
  SetChoosingKey(false);
  SetEditorKeys(false);
  std::memset(LastSample, 0, sizeof LastSample);
  Recording = recordFile.empty() ? InputRecording{} : StartRecording(recordFile);
}

void FinishKeySampler() { FinishRecording(&Recording); }

void SampleKeys(uint32_t flip, uint8_t* down) {
  std::memset(down, 0, 256);
  if (UseScript && ThenLive && (Script.empty() || flip > Script.back().flip)) UseScript = false;
  if (KeySource) {
    KeySource(flip, down);
  } else if (UseScript) {
    // The last line whose flip has come says which keys are down.
    while (ScriptNext < Script.size() && Script[ScriptNext].flip <= flip) ScriptNext++;
    if (ScriptNext > 0)
      for (uint8_t vk : Script[ScriptNext - 1].keys) down[vk] = 1;
  } else if (ActiveBackend) {
    uint8_t pad[256] = {};
    ActiveBackend->sampleKeyboard(down);
    ActiveBackend->samplePads(pad);
    if (Screen != InputChoosingKey && Screen != InputEditor) SettlePadKeys(pad);
    for (int vk = 0; vk < 256; vk++) down[vk] |= pad[vk];
  }
  NoteLastDevice(down);
  RecordKeys(&Recording, flip, down);
}

void SetInputScreen(uint8_t screen) {
  Screen = screen < InputScreens ? screen : static_cast<uint8_t>(InputAnyScreen);
  SetChoosingKey(Screen == InputChoosingKey);
  SetEditorKeys(Screen == InputEditor);
}

uint8_t CurrentInputScreen() { return Screen; }
bool PadLastUsed() { return PadLast; }
