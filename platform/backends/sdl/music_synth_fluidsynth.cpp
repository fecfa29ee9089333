// The music: a FluidSynth synthesizer with a General MIDI soundfont and its
// MIDI file player, rendered inside the audio callback. The player is timed
// by the samples the synthesizer renders, so music and sound effects keep
// one clock, and an offline run renders exactly what a device would hear.
#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/audio/mixer.h"
#include "platform/backend.h"

namespace {

fluid_settings_t* Settings = nullptr;
fluid_synth_t* Synth = nullptr;
fluid_player_t* Player = nullptr;  // touched only while the output is locked
bool SynthFailed = false;

void DropFluidSynthLogLine(int, const char*, void*) {}

void DropPlayer() {
  if (!Player) return;
  fluid_player_stop(Player);
  delete_fluid_player(Player);
  Player = nullptr;
  fluid_synth_all_sounds_off(Synth, -1);
}

}  // namespace

bool LoadMusicSynth() {
  if (Synth) return true;
  if (SynthFailed) return false;
  // FluidSynth's own messages would say the same as ours, several times.
  for (int level = FLUID_PANIC; level <= FLUID_DBG; level++)
    fluid_set_log_function(level, DropFluidSynthLogLine, nullptr);
  const std::string& path = SoundFontPath();
  FILE* probe = std::fopen(path.c_str(), "rb");
  if (!probe) {
    std::fprintf(stderr, "twinworlds: no music: the soundfont %s cannot be read\n", path.c_str());
    SynthFailed = true;
    return false;
  }
  std::fclose(probe);
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", AudioRate);
  fluid_settings_setint(settings, "synth.lock-memory", 0);
  fluid_settings_setstr(settings, "player.timing-source", "sample");
  // FluidSynth's default gain leaves a General MIDI piece far below the
  // sound effects; this brings it up to sit under them.
  fluid_settings_setnum(settings, "synth.gain", 0.5);
  // Within the budget of the audio callback: 64 voices (twice what the
  // General MIDI software synthesizers of the day had), no chorus, no
  // reverb, linear interpolation.
  fluid_settings_setint(settings, "synth.polyphony", 64);
  fluid_settings_setint(settings, "synth.chorus.active", 0);
  fluid_settings_setint(settings, "synth.reverb.active", 0);
  fluid_synth_t* synth = settings ? new_fluid_synth(settings) : nullptr;
  if (!synth || fluid_synth_sfload(synth, path.c_str(), 1) == FLUID_FAILED) {
    std::fprintf(stderr, "twinworlds: no music: the soundfont %s cannot be loaded\n", path.c_str());
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
    SynthFailed = true;
    return false;
  }
  fluid_synth_set_interp_method(synth, -1, FLUID_INTERP_LINEAR);
  LockAudio();
  Settings = settings;
  Synth = synth;
  UnlockAudio();
  return true;
}

void ForgetMusicSynthFailure() { SynthFailed = false; }

void UnloadMusicSynth() {
  if (!Synth) return;
  LockAudio();
  DropPlayer();
  fluid_synth_t* synth = Synth;
  Synth = nullptr;
  UnlockAudio();
  delete_fluid_synth(synth);
  delete_fluid_settings(Settings);
  Settings = nullptr;
}

void StartMusicSynth(const std::vector<uint8_t>& midi, int loops) {
  if (!Synth || midi.empty()) return;
  LockAudio();
  DropPlayer();
  Player = new_fluid_player(Synth);
  if (Player) {
    fluid_player_add_mem(Player, midi.data(), midi.size());
    fluid_player_set_loop(Player, loops);
    fluid_player_play(Player);
  }
  UnlockAudio();
}

void StopMusicSynth() {
  if (!Synth) return;
  LockAudio();
  DropPlayer();
  UnlockAudio();
}

void RenderMusic(int32_t* mix, int frames) {
  if (!Player) return;
  float out[2048];
  while (frames > 0) {
    const int n = frames < 1024 ? frames : 1024;
    fluid_synth_write_float(Synth, n, out, 0, 2, out, 1, 2);
    for (int i = 0; i < n * 2; i++) mix[i] += static_cast<int32_t>(std::lrintf(std::clamp(out[i], -1.0f, 1.0f) * 32767.0f));
    mix += n * 2;
    frames -= n;
  }
}
