// SPDX-License-Identifier: MIT
// The options screen played from the title in a real (dummy-driver) window,
// its keys given flip by flip as a player's: every entry changed, a key and
// a pad button bound over ones other game keys had (swapped), the file
// rewritten with the player's comment and unknown line kept; then the
// defaults restored. Played back from its recording, the same game, and the
// file untouched.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/state_dump.h"
#include "platform/input/key_sampler.h"
#include "platform/shell/run.h"
#include "play_folder.h"

namespace {

struct KeyStep {
  uint32_t flip;
  uint8_t key;  // 0: none
};
constexpr uint8_t PadY = 0xC6;
// Rows: language, music, effects, display, scale, the 17 game keys
// (jump the fifth), the defaults, back.
const KeyStep Visit[] = {
    {3, VK_F3},     {4, 0},                             // the options, from the title
    {6, VK_RIGHT},  {7, 0},                             // English
    {8, VK_DOWN},   {9, 0},    {10, VK_LEFT}, {11, 0},  // music 90
    {12, VK_DOWN},  {13, 0},   {14, VK_LEFT}, {15, 0},  // effects 90
    {16, VK_DOWN},  {17, 0},   {18, VK_RETURN}, {19, 0}, {20, VK_RETURN}, {21, 0},  // full screen and back
    {22, VK_DOWN},  {23, 0},   {24, VK_RIGHT}, {25, 0},  // scale 1
    {26, VK_DOWN},  {27, 0},   {28, VK_DOWN}, {29, 0},   {30, VK_DOWN}, {31, 0},
    {32, VK_DOWN},  {33, 0},   {34, VK_DOWN}, {35, 0},  // jump
    {36, VK_RETURN}, {37, 0},  {38, 'X'},     {39, 0},  // X, the vertical slash's: swapped
    {40, VK_RIGHT}, {41, 0},   {42, VK_RETURN}, {43, 0}, {44, PadY}, {45, 0},  // pad Y, the switch's
    {46, VK_ESCAPE}, {47, 0},
};
const KeyStep Defaults[] = {
    {3, VK_F3}, {4, 0}, {6, VK_UP}, {7, 0}, {8, VK_UP}, {9, 0}, {10, VK_RETURN}, {11, 0}, {12, VK_ESCAPE}, {13, 0},
};
const KeyStep* Script = nullptr;
size_t ScriptSize = 0;

void ScriptKeys(uint32_t flip, uint8_t* down) {
  uint8_t key = 0;
  for (size_t i = 0; i < ScriptSize; i++)
    if (Script[i].flip <= flip) key = Script[i].key;
  if (key) down[key] = 1;
}

int PlayLive(const std::filesystem::path& dir, const KeyStep* script, size_t size, int flips) {
  if (chdir(dir.c_str()) != 0) return 100;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  Script = script;
  ScriptSize = size;
  SetKeySource(ScriptKeys);
  RunOptions options;
  options.window = true;
  options.language = LanguageJapanese;  // the options turn it to English
  options.languageGiven = true;
  options.recordFile = "options.txt";
  options.dumpStateFile = "live.json";
  options.screenshotFile = "live.png";
  options.frames = flips;
  if (!StartPlatform(options)) return 103;
  SetTextLanguage(CurrentRunOptions().language);
  char commandLine[] = "";
  const int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, 0);
  WriteGameState(options.dumpStateFile);
  FinishPlatform();
  return code;
}

int RunChild(const std::filesystem::path& dir, const KeyStep* script, size_t size, int flips) {
  const pid_t pid = fork();
  if (pid == 0) _exit(PlayLive(dir, script, size, flips));
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Setting(const std::string& file, const std::string& name) {
  std::istringstream in(file);
  std::string line, found;
  while (std::getline(in, line))
    if (line.rfind(name + " = ", 0) == 0) found = line.substr(name.size() + 3);
  return found;
}

TEST(OptionsScreen, ChangesEveryEntryKeepsThePlayersLinesAndReplays) {
  PlayFolder g("options");
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 1;
  g.WriteBothStages(rows);
  const std::string conf = "config/twinworlds/twinworlds.conf";
  std::filesystem::create_directories(g.dir / "config/twinworlds");
  g.Write(conf, "# my own notes\nmusic_volume = 100  # loud\nmy_mod_setting = 7\nfullscreen = false\n");
  const int flips = 60;
  ASSERT_EQ(RunChild(g.dir, Visit, std::size(Visit), flips), 0);

  const std::string saved = ReadText(g.dir / conf);
  EXPECT_NE(saved.find("# my own notes\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("my_mod_setting = 7\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("music_volume = 90  # loud\n"), std::string::npos) << saved;
  EXPECT_EQ(Setting(saved, "language"), "en");
  EXPECT_EQ(Setting(saved, "effects_volume"), "90");
  EXPECT_EQ(Setting(saved, "fullscreen"), "false");
  EXPECT_EQ(Setting(saved, "scale"), "1");
  EXPECT_EQ(Setting(saved, "jump"), "X, pad:y");
  EXPECT_EQ(Setting(saved, "vertical_slash"), "Z, pad:x");
  EXPECT_EQ(Setting(saved, "switch_worlds"), "Space, pad:a, pad:leftshoulder, pad:rightshoulder");
  // The key pressed while choosing is in the recording as pressed.
  const std::string recording = ReadText(g.dir / "options.txt");
  EXPECT_NE(recording.find("38 X\n"), std::string::npos) << recording;
  EXPECT_NE(recording.find("44 GAMEPAD_Y\n"), std::string::npos) << recording;

  // Played back, in a window as headless: the same state, nothing written.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_CONFIG_HOME", (g.dir / "config").c_str(), 1);
  for (const char* mode : {"--headless", "--window"}) {
    const GameRun replay =
        RunGame(g.dir, {mode, "--input", "options.txt", "--frames", std::to_string(flips), "--dump-state", "replay.json"});
    ASSERT_EQ(replay.exitCode, 0) << mode << replay.err;
    EXPECT_EQ(ReadText(g.dir / "replay.json"), ReadText(g.dir / "live.json")) << mode;
    EXPECT_EQ(ReadText(g.dir / conf), saved) << mode;
  }

  ASSERT_EQ(RunChild(g.dir, Defaults, std::size(Defaults), 20), 0);
  const std::string restored = ReadText(g.dir / conf);
  for (int i = 0; i < BindableKeys; i++)
    EXPECT_EQ(Setting(restored, BindableKeyTable[i].name), BindableKeyTable[i].defaults) << BindableKeyTable[i].name;
  EXPECT_EQ(Setting(restored, "language"), "en");
  EXPECT_NE(restored.find("my_mod_setting = 7\n"), std::string::npos);
}

// The scale entry offers only what fits the display (the dummy driver's is
// 1024 x 768: a window of 1), and the language entry comes back round to
// the desktop's: three steps of each show the screen as it opened.
const KeyStep AsOpened[] = {{3, VK_F3}, {4, 0}, {6, VK_DOWN}, {7, 0}, {8, VK_DOWN}, {9, 0},
                            {10, VK_DOWN}, {11, 0}, {12, VK_DOWN}, {13, 0}};
const KeyStep AroundTheEntries[] = {
    {3, VK_F3},     {4, 0},   {6, VK_RIGHT},  {7, 0},   {8, VK_RIGHT},  {9, 0},  {10, VK_RIGHT}, {11, 0},
    {12, VK_DOWN},  {13, 0},  {14, VK_DOWN},  {15, 0},  {16, VK_DOWN},  {17, 0}, {18, VK_DOWN},  {19, 0},
    {20, VK_RIGHT}, {21, 0},  {22, VK_RIGHT}, {23, 0},
};

TEST(OptionsScreen, OffersOnlyScalesThatFitAndComesBackToTheDesktopsLanguage) {
  PlayFolder g("options_around");
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 1;
  g.WriteBothStages(rows);
  std::filesystem::create_directories(g.dir / "config/twinworlds");
  // The desktop's language is the one the run was given.
  setenv("LC_ALL", "ja_JP.UTF-8", 1);
  struct Unset {
    ~Unset() { unsetenv("LC_ALL"); }
  } unset;
  std::string shots[2];
  for (int i = 0; i < 2; i++) {
    g.Write("config/twinworlds/twinworlds.conf", "language =\nscale = 0\nfullscreen = false\n");
    const KeyStep* script = i ? AroundTheEntries : AsOpened;
    const size_t size = i ? std::size(AroundTheEntries) : std::size(AsOpened);
    ASSERT_EQ(RunChild(g.dir, script, size, 30), 0);
    shots[i] = ReadText(g.dir / "live.png");
  }
  ASSERT_FALSE(shots[0].empty());
  EXPECT_TRUE(shots[0] == shots[1]);
}

// "Back" chosen with Enter leaves the options screen opened from the title,
// and that Enter starts no game; the next one does.
TEST(OptionsScreen, TheEnterOfBackStaysOnTheTitle) {
  PlayFolder g("options_back");
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 1;
  g.WriteBothStages(rows);
  const std::string back = "3 F3\n4\n6 UP\n7\n8 RETURN\n";
  const PlayRun stays = g.Run(back + "12\n", 30);
  ASSERT_EQ(stays.exitCode, 0) << stays.errors;
  EXPECT_EQ(stays.state["gameMode"], 3);
  const PlayRun starts = g.Run(back + "9\n12 RETURN\n13\n", 30);
  EXPECT_EQ(starts.state["gameMode"], 0);
}

}  // namespace
