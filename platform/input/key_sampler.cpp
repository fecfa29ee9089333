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

}  // namespace

void SetKeySource(void (*source)(uint32_t flip, uint8_t* down)) { KeySource = source; }

void StartKeySampler(bool fromScript, const std::vector<InputLine>& script, const std::string& recordFile,
                     bool thenLive) {
  Script = script;
  UseScript = fromScript;
  ThenLive = thenLive;
  ScriptNext = 0;
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
    ActiveBackend->sampleKeyboard(down);
    ActiveBackend->samplePads(down);
  }
  RecordKeys(&Recording, flip, down);
}
