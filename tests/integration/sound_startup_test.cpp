// The game with its sounds and music in place: headless it opens no audio
// device and says nothing; in a window the device writes silence on the
// title screen, since the music waits for the new game.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/game_runner.h"
#include "support/sound_files.h"

namespace {

using namespace soundfiles;

void WriteText(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void WriteSoundFiles(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder / "se");
  std::filesystem::create_directories(folder / "Sound");
  std::string data;
  for (int i = 0; i < 2000; i++) data += static_cast<char>(128 + ((i / 10) % 2 ? 50 : -50));
  for (const char* name : {"test.wav", "coin01.wav", "FlowerAttack.wav", "Explode.wav", "OK.wav", "Lvup.wav",
                           "No.wav", "Hit.wav", "gara.wav"})
    WriteText(folder / "se" / name, PcmWave(1, 11025, 8, data));
  WriteText(folder / "Sound" / "yamiji.mid", MidiFile({{0, NoteOn(0, 60, 100)}, {480, NoteOff(0, 60)}}, 480));
}

bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

TEST(SoundStartup, HeadlessLoadsEverythingQuietly) {
  const std::filesystem::path folder = MakeGameFolder("sound_headless");
  WriteFixtureBitmaps(folder);
  WriteSoundFiles(folder);
  GameRun run = RunGame(folder, {"--headless", "--frames", "10", "--dump-state", "state.json"});
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  const nlohmann::json state = nlohmann::json::parse(ReadText(folder / "state.json"));
  EXPECT_EQ(state.at("music"), "stopped");  // loaded, not yet started
  for (const auto& count : state.at("sounds")) EXPECT_EQ(count, 0);
  std::filesystem::remove_all(folder);
}

TEST(SoundStartup, TitleScreenIsSilentOnARealDevice) {
  if (!HaveProgram("xvfb-run")) GTEST_SKIP() << "xvfb is not installed";
  const std::filesystem::path folder = MakeGameFolder("sound_window");
  WriteFixtureBitmaps(folder);
  WriteSoundFiles(folder);
  const std::string command = "cd '" + folder.string() +
                              "' && XDG_CONFIG_HOME=\"$PWD/config\" SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=out.raw ASAN_OPTIONS=detect_leaks=0 "
                              "timeout 120 xvfb-run -a -s '-screen 0 1024x768x24' '" +
                              std::string(TW_GAME_EXE) + "' --window --scale 1 --frames 60 > run.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadText(folder / "run.log");
  const std::string raw = ReadText(folder / "out.raw");
  EXPECT_GT(raw.size(), 44100u * 4 / 10) << "the device wrote less than a tenth of a second";
  EXPECT_EQ(raw.find_first_not_of('\0'), std::string::npos) << "sound on the title screen";
  std::filesystem::remove_all(folder);
}

}  // namespace
