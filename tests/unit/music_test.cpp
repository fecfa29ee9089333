// The background music rendered offline through the same synthesizer and
// mixer the device uses: silent until started, sounding, starting again
// after its end, silent once stopped.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "platform/audio/mixer.h"
#include "sound/music.h"
#include "support/offline_audio.h"
#include "support/sound_files.h"

using namespace soundfiles;

namespace {

bool SoundFontPresent() {
  FILE* f = std::fopen(SoundFontPath().c_str(), "rb");
  if (f) std::fclose(f);
  return f != nullptr;
}

// Root mean square of each 100 ms of `seconds` of mixed output.
std::vector<double> Loudness(double seconds) {
  const int window = AudioRate / 10;
  std::vector<double> out;
  std::vector<int16_t> block(static_cast<size_t>(window) * 2);
  for (int w = 0; w < static_cast<int>(seconds * 10 + 0.5); w++) {
    // Mixed in blocks of the callback's size, as the device asks for them.
    for (int done = 0; done < window; done += AudioCallbackFrames) {
      const int n = std::min(AudioCallbackFrames, window - done);
      MixAudio(block.data() + done * 2, n);
    }
    double sum = 0;
    for (int16_t s : block) sum += static_cast<double>(s) * s;
    out.push_back(std::sqrt(sum / static_cast<double>(block.size())));
  }
  return out;
}

// One note held for a quarter of a second, then rest until two seconds.
std::string ShortTune() {
  return MidiFile({{0, Program(0, 19)}, {0, NoteOn(0, 60, 110)}, {240, NoteOff(0, 60)}}, 1920 - 240);
}

class Music : public ::testing::Test {
 protected:
  void SetUp() override {
    SetOfflineAudio(true);
    CreateMusicObjects(nullptr);
  }
  void TearDown() override {
    ReleaseMusicObjects();
    CoUninitialize();
    // The game keeps this one to the end of the process; each test makes its own.
    Release(MusicDirectMusic);
    MusicDirectMusic = nullptr;
    SetOfflineAudio(false);
  }
};

TEST_F(Music, LoopsWithoutEndFromStartToStop) {
  if (!SoundFontPresent()) GTEST_SKIP() << "no soundfont at " << SoundFontPath();
  LoadMusic(&MusicSegment, WriteFile("tune.mid", ShortTune()).c_str());
  ASSERT_NE(MusicSegment, nullptr);
  SetRepeats(MusicSegment, DMUS_SEG_REPEAT_INFINITE);

  // Loaded is not started: the title screen is silent.
  for (double rms : Loudness(0.5)) EXPECT_EQ(rms, 0.0);

  StartMusic();
  EXPECT_TRUE(IsPlaying(MusicPerformance, MusicSegment));
  const std::vector<double> l = Loudness(6.0);
  // The note, the rest, and the same again at 2 s and at 4 s.
  for (int start : {0, 20, 40}) {
    SCOPED_TRACE(start);
    EXPECT_GT(l[start + 1], 100.0);
    EXPECT_LT(l[start + 17], l[start + 1] / 20);
    EXPECT_LT(l[start + 19], l[start + 1] / 20);
  }
  EXPECT_NEAR(l[21], l[1], l[1] * 0.25);
  EXPECT_NEAR(l[41], l[1], l[1] * 0.25);

  Stop(MusicPerformance, nullptr, nullptr, 0, 0);
  EXPECT_FALSE(IsPlaying(MusicPerformance, MusicSegment));
  for (double rms : Loudness(0.3)) EXPECT_EQ(rms, 0.0);
}

TEST_F(Music, PlaysOnceWithoutARepeatCount) {
  if (!SoundFontPresent()) GTEST_SKIP() << "no soundfont at " << SoundFontPath();
  LoadMusic(&MusicSegment, WriteFile("once.mid", ShortTune()).c_str());
  ASSERT_NE(MusicSegment, nullptr);
  StartMusic();
  const std::vector<double> l = Loudness(3.0);
  EXPECT_GT(l[1], 100.0);
  EXPECT_LT(l[21], 1.0);
}

TEST_F(Music, MissingOrBadFilesLeaveTheSegmentNull) {
  LoadMusic(&MusicSegment, (TempDir() + "/no_such_tune.mid").c_str());
  EXPECT_EQ(MusicSegment, nullptr);
  LoadMusic(&MusicSegment, WriteFile("not_midi.mid", "RIFF....WAVE").c_str());
  EXPECT_EQ(MusicSegment, nullptr);
  // Songs the looping player would spin on forever are refused, in one line
  // each: only an end of track, only a rest, a tempo of 0, a track cut short.
  const std::string refused[] = {
      MidiFile({}, 0),
      MidiFile({{0, Program(0, 19)}}, 480),
      MidiFile({{0, NoteOn(0, 60, 110)}, {0, NoteOff(0, 60)}}, 0),
      MidiFile({{0, std::string("\xFF\x51\x03\x00\x00\x00", 6)}, {0, NoteOn(0, 60, 110)}, {240, NoteOff(0, 60)}}, 0),
      ShortTune().substr(0, ShortTune().size() - 2),
  };
  for (const std::string& song : refused) {
    testing::internal::CaptureStderr();
    LoadMusic(&MusicSegment, WriteFile("spins.mid", song).c_str());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(MusicSegment, nullptr);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
  StartMusic();  // nothing to start; nothing happens
  for (double rms : Loudness(0.2)) EXPECT_EQ(rms, 0.0);
}

TEST_F(Music, GameFileNameIsFoundWhateverItsCase) {
  if (!SoundFontPresent()) GTEST_SKIP() << "no soundfont at " << SoundFontPath();
  // "Sound\yamiji.mid" as the game names it, in a folder of another case.
  const std::string folder = TempDir() + "/game_case";
  std::string made = "mkdir -p " + folder + "/sound";
  ASSERT_EQ(std::system(made.c_str()), 0);
  WriteFile("game_case/sound/YAMIJI.MID", ShortTune());
  char previous[4096];
  ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
  ASSERT_EQ(chdir(folder.c_str()), 0);
  LoadGameMusic();
  ASSERT_EQ(chdir(previous), 0);
  ASSERT_NE(MusicSegment, nullptr);
  StartMusic();
  EXPECT_GT(Loudness(0.2)[1], 100.0);
}

TEST(MusicWithoutSoundFont, RunsSilentSayingSoOnce) {
  // None named: Debian's General MIDI alternative, else TimGM6mb.
  SetSoundFontPath("");
  const bool alternative = access(SoundFontSearch[0], R_OK) == 0;
  EXPECT_EQ(SoundFontPath(), alternative || access(SoundFontSearch[1], R_OK) != 0 ? SoundFontSearch[0] : SoundFontSearch[1]);
  const std::string kept = SoundFontPath();
  SetSoundFontPath(TempDir() + "/missing.sf2");
  SetOfflineAudio(true);
  testing::internal::CaptureStderr();
  CreateMusicObjects(nullptr);
  LoadMusic(&MusicSegment, WriteFile("nosf.mid", ShortTune()).c_str());
  ASSERT_NE(MusicSegment, nullptr);  // the file itself was fine
  SetRepeats(MusicSegment, DMUS_SEG_REPEAT_INFINITE);
  StartMusic();
  for (double rms : Loudness(0.3)) EXPECT_EQ(rms, 0.0);
  ReleaseMusicObjects();
  CoUninitialize();
  Release(MusicDirectMusic);
  MusicDirectMusic = nullptr;
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  SetOfflineAudio(false);
  SetSoundFontPath(kept);
}

}  // namespace
