// What the sound costs: the mixer with every effect buffer and the music
// sounding, as a share of one core, and the soundfont's load at start-up.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/audio/mixer.h"
#include "sound/music.h"
#include "sound/sound_effects.h"
#include "support/offline_audio.h"
#include "support/platform_records.h"
#include "support/sound_files.h"

using namespace soundfiles;

namespace {

// Four instruments playing three-note chords in eighth notes, with a bass:
// busier than the game's own background music.
std::string BusyTune() {
  std::vector<MidiEvent> events;
  const int programs[4] = {0, 48, 24, 33};
  for (int c = 0; c < 4; c++) events.push_back({0, Program(c, programs[c])});
  for (int step = 0; step < 32; step++) {
    const int root = 48 + (step % 8) * 2;
    for (int c = 0; c < 4; c++)
      for (int k : {0, 4, 7}) events.push_back({0, NoteOn(c, root + c * 12 + k - (c == 3 ? 24 : 0), 100)});
    uint32_t delta = 240;
    for (int c = 0; c < 4; c++)
      for (int k : {0, 4, 7}) {
        events.push_back({delta, NoteOff(c, root + c * 12 + k - (c == 3 ? 24 : 0))});
        delta = 0;
      }
  }
  return MidiFile(events, 0);
}

// Ten different effects at the rates and sizes of the game's files, all
// looping so that every voice sounds throughout.
void StartEverything() {
  SetOfflineAudio(true);
  CreateMusicObjects(nullptr);
  CreateSoundObjects(nullptr);
  for (int i = 0; i < SoundBankSize; i++) {
    const uint32_t rate = i % 2 ? 22050 : 11025;
    const uint16_t bits = i % 3 ? 16 : 8;
    std::string data;
    for (uint32_t n = 0; n < rate / 2; n++) {
      const int v = static_cast<int>((n * (i + 3) * 37) % 2000) - 1000;
      data += bits == 16 ? Le16(static_cast<uint16_t>(v * 8)) : std::string(1, static_cast<char>(128 + v / 8));
    }
    LoadSound(SoundBank[i], WriteFile("bench" + std::to_string(i) + ".wav", PcmWave(1, rate, bits, data)).c_str());
    Play(*SoundBank[i], 0, 0, DSBPLAY_LOOPING);
  }
  LoadMusic(&MusicSegment, WriteFile("busy.mid", BusyTune()).c_str());
  if (MusicSegment) SetRepeats(MusicSegment, DMUS_SEG_REPEAT_INFINITE);
  StartMusic();
}

void StopEverything() {
  ReleaseMusicObjects();
  ReleaseSoundObjects();
  CoUninitialize();
  Release(MusicDirectMusic);
  MusicDirectMusic = nullptr;
  SetOfflineAudio(false);
}

// One iteration mixes one second of output in the device's block size; the
// counter is the time that takes as a percentage of that second.
void BM_MixTenVoicesAndMusic(benchmark::State& state) {
  StartEverything();
  if (!MusicSegment || !IsPlaying(MusicPerformance, MusicSegment)) state.SkipWithError("the music is not playing (no soundfont?)");
  std::vector<int16_t> block(AudioCallbackFrames * 2);
  for (auto _ : state) {
    for (int done = 0; done < AudioRate; done += AudioCallbackFrames) {
      MixAudio(block.data(), std::min(AudioCallbackFrames, AudioRate - done));
      benchmark::DoNotOptimize(block.data());
    }
  }
  state.counters["core_percent"] =
      benchmark::Counter(0.01, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  StopEverything();
}
BENCHMARK(BM_MixTenVoicesAndMusic)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same without the music: the effects alone.
void BM_MixTenVoices(benchmark::State& state) {
  StartEverything();
  StopMusicSynth();
  std::vector<int16_t> block(AudioCallbackFrames * 2);
  for (auto _ : state) {
    for (int done = 0; done < AudioRate; done += AudioCallbackFrames) {
      MixAudio(block.data(), std::min(AudioCallbackFrames, AudioRate - done));
      benchmark::DoNotOptimize(block.data());
    }
  }
  state.counters["core_percent"] =
      benchmark::Counter(0.01, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  StopEverything();
}
BENCHMARK(BM_MixTenVoices)->Unit(benchmark::kMillisecond)->UseRealTime();

// The start-up cost of the music: the synthesizer made and the soundfont
// read, as the download of the segment's instruments does it.
void BM_LoadSoundFont(benchmark::State& state) {
  SetOfflineAudio(true);
  for (auto _ : state) {
    if (!LoadMusicSynth()) {
      state.SkipWithError("no soundfont");
      break;
    }
    state.PauseTiming();
    UnloadMusicSynth();
    state.ResumeTiming();
  }
  SetOfflineAudio(false);
}
BENCHMARK(BM_LoadSoundFont)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace
