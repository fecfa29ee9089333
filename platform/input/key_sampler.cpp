// The key sampler: one sample a flip, from the key source, the input file
// or the backend's keyboard and pads, recorded when asked.
#include "platform/input/key_sampler.h"

#include <cstring>

#include "platform/backend.h"
#include "platform/files/packs.h"

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
// What the player touched last: the screens name its keys, buttons or controls.
enum LastDevice : uint8_t { LastKeyboard, LastPad, LastTouch };
uint8_t Last = LastKeyboard;
uint8_t LiveFace = PadFaceXbox;
uint8_t SampledFace = PadFaceXbox;
PointerSample Pointer{};
// The run kept in memory: the flip its first line stands for, and the
// number that line has.
uint32_t LastFlip = 0;  // of the last sample
bool Capturing = false;
std::string Captured;
uint32_t CaptureFrom = 0, CaptureFirst = 0;
uint8_t CaptureLast[256];

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
// the touch controls, when a key went down with TOUCH held (touch's own mark
// among them); the keyboard, when a key went down with neither held.
void NoteLastDevice(const uint8_t* down) {
  bool padNew = false, keyNew = false;
  for (int vk = 0; vk < 256; vk++) {
    if (!down[vk] || LastSample[vk]) continue;
    if (IsPadKey(vk)) padNew = true;
    else keyNew = true;
  }
  if (padNew) Last = LastPad;
  else if (keyNew && down[VK_TOUCH]) Last = LastTouch;
  else if (keyNew && !AnyPadKey(down)) Last = LastKeyboard;
  std::memcpy(LastSample, down, sizeof LastSample);
}

// The keys a captured run keeps: the pointer's buttons and the focus mark
// belong to the editor alone.
void CaptureKeys(const uint8_t* down, uint8_t* kept) {
  std::memcpy(kept, down, 256);
  kept[VK_LBUTTON] = kept[VK_RBUTTON] = kept[VK_MBUTTON] = kept[VK_FOCUS_LOST] = 0;
}

void CaptureSample(uint32_t flip, const uint8_t* down) {
  uint8_t kept[256];
  CaptureKeys(down, kept);
  if (flip != CaptureFrom && std::memcmp(kept, CaptureLast, sizeof kept) == 0) return;
  std::memcpy(CaptureLast, kept, sizeof kept);
  Captured += InputLineText(flip - CaptureFrom + CaptureFirst, kept, PointerSample{});
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
  PadHushed = false;
  Last = LastKeyboard;
  LiveFace = SampledFace = PadFaceXbox;
  SetChoosingKey(false);
  SetEditorKeys(false);
  std::memset(LastSample, 0, sizeof LastSample);
  Pointer = {};
  Capturing = false;
  Captured.clear();
  Recording = recordFile.empty() ? InputRecording{} : StartRecording(recordFile);
}

namespace {

InputPackClaim ClaimInForce() {
  const Pack* p = PackInForce();
  return p ? InputPackClaim{p->id, PackInForceHash()} : InputPackClaim{};
}

}  // namespace

void FinishKeySampler() {
  const InputPackClaim claim = ClaimInForce();
  FinishRecording(&Recording, &claim);
}

void RecordGameStart() {
  const InputPackClaim claim = ClaimInForce();
  WriteRecordingHeader(&Recording, &claim);
}

void RecordWithoutPack() { WriteRecordingHeader(&Recording, nullptr); }

void SampleKeys(uint32_t flip, uint8_t* down) {
  std::memset(down, 0, 256);
  if (UseScript && ThenLive && (Script.empty() || flip > Script.back().flip)) UseScript = false;
  SampledFace = PadFaceXbox;
  Pointer = {};
  LastFlip = flip;
  if (KeySource) {
    KeySource(flip, down);
  } else if (UseScript) {
    // The last line whose flip has come says which keys are down, and
    // where the pointer is; the wheel turns only at the line's own flip.
    while (ScriptNext < Script.size() && Script[ScriptNext].flip <= flip) ScriptNext++;
    if (ScriptNext > 0) {
      const InputLine& line = Script[ScriptNext - 1];
      for (uint8_t vk : line.keys) down[vk] = 1;
      Pointer = line.pointer;
      if (line.flip != flip) Pointer.wheel = 0;
    }
  } else if (ActiveBackend) {
    uint8_t pad[256] = {}, buttons[256] = {};
    ActiveBackend->sampleKeyboard(down);
    ActiveBackend->samplePads(pad);
    SampledFace = LiveFace;
    if (Screen != InputChoosingKey && Screen != InputEditor) SettlePadKeys(pad);
    for (int vk = 0; vk < 256; vk++) down[vk] |= pad[vk];
    PointerSample pointer{};
    if (ActiveBackend->samplePointer) ActiveBackend->samplePointer(&pointer, buttons);
    // The pointer means something on the editor's screen alone: elsewhere
    // it is left out, and the recordings of play stay as they were.
    if (Screen == InputEditor) {
      Pointer = pointer;
      for (int vk : {VK_LBUTTON, VK_RBUTTON, VK_MBUTTON}) down[vk] |= buttons[vk];
    }
  }
  NoteLastDevice(down);
  RecordKeys(&Recording, flip, down, Pointer);
  if (Capturing) CaptureSample(flip, down);
}

const PointerSample& SampledPointer() { return Pointer; }

void StartRunCapture(uint32_t first) {
  Capturing = true;
  Captured.clear();
  CaptureFrom = LastFlip;
  CaptureFirst = first;
  CaptureSample(CaptureFrom, LastSample);
}

void StopRunCapture() { Capturing = false; }
const std::string& CapturedRun() { return Captured; }

void SetInputScreen(uint8_t screen) {
  Screen = screen < InputScreens ? screen : static_cast<uint8_t>(InputAnyScreen);
  SetChoosingKey(Screen == InputChoosingKey);
  SetEditorKeys(Screen == InputEditor);
}

uint8_t CurrentInputScreen() { return Screen; }
bool PadLastUsed() { return Last == LastPad; }
bool TouchLastUsed() { return Last == LastTouch; }
void NotePadFace(uint8_t face) { LiveFace = face < PadFaces ? face : static_cast<uint8_t>(PadFaceXbox); }
uint8_t PadFaceShown() { return SampledFace; }
