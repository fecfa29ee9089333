// The audio output and its software mixer. Each sound buffer holds one voice;
// the voices and the music are summed in 32 bits and held at the 16-bit
// limits, so loud moments clip instead of wrapping round.
#include "platform/audio/mixer.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/backend.h"

namespace {

int OutputUsers = 0;
bool DeviceOpen = false;
// The backend whose device failed to open: it is not asked again.
const Backend* FailedBackend = nullptr;
std::vector<Voice*> Voices;
std::string SoundFont;  // "" until one is named: the first of SoundFontSearch present
// Percent of full volume, from the player's settings; 100 leaves the mix
// exactly as it was.
int MusicVolume = 100, EffectsVolume = 100;

// Adds the next `frames` frames of a playing voice into the mix; a voice
// that reaches its end stops there, unless it loops.
void MixVoice(Voice* v, int32_t* mix, int frames) {
  const size_t total = v->frames.size() / 2;
  int done = 0;
  while (done < frames) {
    if (v->position >= total) {
      if (!v->looping || total == 0) break;
      v->position = 0;
    }
    const int n = static_cast<int>(std::min<size_t>(frames - done, total - v->position));
    const int16_t* src = v->frames.data() + v->position * 2;
    int32_t* dst = mix + done * 2;
    for (int i = 0; i < n * 2; i++) dst[i] += src[i];
    v->position += n;
    done += n;
  }
  if (v->position >= total && !v->looping) {
    v->playing = false;
    v->position = 0;
  }
}

}  // namespace

void MixAudio(int16_t* out, int frames) {
  constexpr int Chunk = 1024;
  int32_t mix[Chunk * 2];
  while (frames > 0) {
    const int n = std::min(frames, Chunk);
    std::memset(mix, 0, sizeof(int32_t) * n * 2);
    for (Voice* v : Voices)
      if (v->playing) MixVoice(v, mix, n);
    if (EffectsVolume != 100)
      for (int i = 0; i < n * 2; i++) mix[i] = mix[i] * EffectsVolume / 100;
    if (MusicVolume == 100) {
      RenderMusic(mix, n);
    } else {
      int32_t music[Chunk * 2];
      std::memset(music, 0, sizeof(int32_t) * n * 2);
      RenderMusic(music, n);
      for (int i = 0; i < n * 2; i++) mix[i] += music[i] * MusicVolume / 100;
    }
    for (int i = 0; i < n * 2; i++) out[i] = static_cast<int16_t>(std::clamp<int32_t>(mix[i], -32768, 32767));
    out += n * 2;
    frames -= n;
  }
}

void SetMixVolumes(int music, int effects) {
  LockAudio();
  MusicVolume = std::clamp(music, 0, 100);
  EffectsVolume = std::clamp(effects, 0, 100);
  UnlockAudio();
}

const std::string& SoundFontPath() {
  if (SoundFont.empty()) {
    SoundFont = SoundFontSearch[0];
    for (const char* path : SoundFontSearch)
      if (access(path, R_OK) == 0) {
        SoundFont = path;
        break;
      }
  }
  return SoundFont;
}
void SetSoundFontPath(const std::string& path) {
  SoundFont = path;
  ForgetMusicSynthFailure();
}

bool AcquireAudioOutput() {
  if (!DeviceOpen) {
    if (!ActiveBackend || ActiveBackend == FailedBackend || !ActiveBackend->openAudio) return false;
    if (!ActiveBackend->openAudio(MixAudio)) {
      FailedBackend = ActiveBackend;
      return false;
    }
    DeviceOpen = true;
  }
  OutputUsers++;
  return true;
}

void ReleaseAudioOutput() {
  if (OutputUsers > 0) OutputUsers--;
  if (OutputUsers == 0 && DeviceOpen) {
    if (ActiveBackend && ActiveBackend->closeAudio) ActiveBackend->closeAudio();
    DeviceOpen = false;
  }
}

bool AudioOutputExists() { return DeviceOpen; }

void LockAudio() {
  if (DeviceOpen && ActiveBackend && ActiveBackend->lockAudio) ActiveBackend->lockAudio();
}

void UnlockAudio() {
  if (DeviceOpen && ActiveBackend && ActiveBackend->unlockAudio) ActiveBackend->unlockAudio();
}

void AddVoice(Voice* voice) {
  LockAudio();
  Voices.push_back(voice);
  UnlockAudio();
}

void RemoveVoice(Voice* voice) {
  LockAudio();
  Voices.erase(std::remove(Voices.begin(), Voices.end(), voice), Voices.end());
  UnlockAudio();
}
