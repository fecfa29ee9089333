// SPDX-License-Identifier: MIT
// Packs played: a pack's one stage file in place of the game's, whatever
// its case, and the rest the game's; a file or folder leading out of a pack
// refused; a recording made on a pack refused on other stages in one line
// and replayed on its own; the title's list greying what the game cannot
// play, with why; and a pack chosen there in a live game, loaded at once,
// kept in the settings file and named in the recording.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/packs.h"
#include "app/state_dump.h"
#include "platform/files/data_folder.h"
#include "platform/input/key_sampler.h"
#include "platform/shell/run.h"
#include "play_folder.h"

namespace {

// A map of this width with a floor to stand on.
StageRows Floored(int width) {
  StageRows rows = EmptyRows(width, 15);
  for (int c = 0; c < width; c++) rows[9][c] = 1;
  return rows;
}

// Both of the game's worlds 30 cells wide, and the pack "forest" whose
// world B, named in another case, is 44.
struct PackGame : PlayFolder {
  explicit PackGame(const std::string& name) : PlayFolder(name) {
    WriteBothStages(Floored(30));
    WritePackFile("forest", "pack.txt", "name = Forest\nauthor = Someone\n");
    WritePackFile("forest", "STAGE/magic1234.TXT", StageText(Floored(44)));
  }
};

const std::string StartGame = "0\n2 RETURN\n3\n20 RIGHT\n50\n";

int Width(const PlayRun& r, int world) { return r.state["worlds"][world]["map"]["width"]; }

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

TEST(Packs, OneStageFileOfAPackPlaysWorldBWhateverItsCaseAndWorldAStaysTheGames) {
  PackGame g("overlay");
  const PlayRun own = g.Run(StartGame, 60);
  ASSERT_EQ(own.exitCode, 0) << own.errors;
  EXPECT_EQ(Width(own, 0), 30);
  EXPECT_EQ(Width(own, 1), 30);
  for (const std::string& pack : {std::string("forest"), g.PackDir("forest").string()}) {
    const PlayRun r = g.Run(StartGame, 60, {"--pack", pack});
    ASSERT_EQ(r.exitCode, 0) << pack << r.errors;
    EXPECT_EQ(Width(r, 0), 30) << pack;
    EXPECT_EQ(Width(r, 1), 44) << pack;
  }
}

TEST(Packs, AFileOrFolderLeadingOutOfThePackAndANameThatIsNoneAreRefused) {
  PackGame g("outside");
  std::filesystem::create_directories(g.dir / "elsewhere");
  g.Write("elsewhere/Magic1234.txt", StageText(Floored(44)));
  g.WritePackFile("file");
  std::filesystem::create_directories(g.PackDir("file") / "stage");
  std::filesystem::create_symlink(g.dir / "elsewhere/Magic1234.txt", g.PackDir("file") / "stage/Magic1234.txt");
  g.WritePackFile("folder");
  std::filesystem::create_directory_symlink(g.dir / "elsewhere", g.PackDir("folder") / "stage");
  for (const char* pack : {"file", "folder"}) {
    const PlayRun r = g.Run(StartGame, 60, {"--pack", pack});
    EXPECT_EQ(r.exitCode, 2) << pack;
    EXPECT_NE(r.errors.find("leads out of the pack"), std::string::npos) << r.errors;
    EXPECT_EQ(Lines(r.errors), 1) << r.errors;
  }
  // A link that stays inside is the pack's own file.
  g.WritePackFile("inside", "real/world-b.txt", StageText(Floored(44)));
  std::filesystem::create_directories(g.PackDir("inside") / "stage");
  std::filesystem::create_symlink("../real/world-b.txt", g.PackDir("inside") / "stage/Magic1234.txt");
  g.WritePackFile("inside");
  const PlayRun inside = g.Run(StartGame, 60, {"--pack", "inside"});
  ASSERT_EQ(inside.exitCode, 0) << inside.errors;
  EXPECT_EQ(Width(inside, 1), 44);
  const PlayRun hidden = g.Run(StartGame, 60, {"--pack", ".forest"});
  EXPECT_EQ(hidden.exitCode, 2);
  EXPECT_NE(hidden.errors.find("is not a pack name"), std::string::npos) << hidden.errors;
}

TEST(Packs, ARecordingMadeOnAPackPlaysOnlyOnThatPacksFiles) {
  PackGame g("replay");
  const PlayRun made = g.Run(StartGame, 60, {"--pack", "forest", "--record", "rec.txt"});
  ASSERT_EQ(made.exitCode, 0) << made.errors;
  const std::string recording = ReadText(g.dir / "rec.txt");
  EXPECT_EQ(recording.rfind("twinworlds-input 2\npack ", 0), 0u) << recording;
  EXPECT_NE(recording.find(" forest\n0\n2 RETURN\n"), std::string::npos) << recording;
  const PlayRun same = g.RunInput("rec.txt", 60, {"--pack", "forest"});
  ASSERT_EQ(same.exitCode, 0) << same.errors;
  EXPECT_EQ(same.state, made.state);

  g.WritePackFile("other");
  const struct {
    std::vector<std::string> pack;
    const char* says;
  } elsewhere[] = {{{}, "not on the game's own stages"}, {{"--pack", "other"}, "not on 'other'"}};
  for (const auto& [pack, says] : elsewhere) {
    const PlayRun r = g.RunInput("rec.txt", 60, pack);
    EXPECT_EQ(r.exitCode, 2) << says;
    EXPECT_EQ(Lines(r.errors), 1) << r.errors;
    EXPECT_NE(r.errors.find("recorded on the pack 'forest'"), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find(says), std::string::npos) << r.errors;
    EXPECT_NE(r.errors.find("--pack forest"), std::string::npos) << r.errors;
  }
  g.WritePackFile("forest", "STAGE/magic1234.TXT", StageText(Floored(45)));
  const PlayRun changed = g.RunInput("rec.txt", 60, {"--pack", "forest"});
  EXPECT_EQ(changed.exitCode, 2);
  EXPECT_EQ(Lines(changed.errors), 1) << changed.errors;
  EXPECT_NE(changed.errors.find("these differ"), std::string::npos) << changed.errors;

  // On the game's own data a recording is what it always was.
  ASSERT_EQ(g.Run(StartGame, 60, {"--record", "own.txt"}).exitCode, 0);
  EXPECT_EQ(ReadText(g.dir / "own.txt").rfind("twinworlds-input 1\n0\n2 RETURN\n", 0), 0u);
}

TEST(Packs, TheTitlesListGreysWhatTheGameCannotPlayWithWhyAndItsOwnStagesStillPlay) {
  PackGame g("list");
  g.WritePackFile("badstage");
  g.WritePackFile("badstage", "stage/fai_kansei.txt", "30,15,\n1,x,\n");
  g.WritePackFile("badbitmap");
  BmpSpec small;
  small.width = 320;
  small.height = 240;
  std::filesystem::create_directories(g.PackDir("badbitmap") / "image/stage1");
  WriteBytes((g.PackDir("badbitmap") / "image/stage1/back.BMP").string(), BmpBytes(small));
  g.WritePackFile("badinfo", "pack.txt", "name = \xFF\n");
  setenv("XDG_DATA_HOME", g.DataHome().c_str(), 1);
  SetDataFolder(g.dir.string());
  SetDataFolderMissing(false);
  SetTextLanguage(LanguageEnglish);
  const std::vector<StageChoice> list = ListStageChoices();
  ASSERT_EQ(list.size(), 5u);
  EXPECT_TRUE(list[0].usable);
  EXPECT_EQ(list[0].pack.id, "");
  const struct {
    const char* id;
    const char* about;
  } greyed[] = {
      {"badbitmap", "Cannot be played: image/stage1/back.BMP: 320 x 240 pixels, the game's own is 640 x 480"},
      {"badinfo", "Cannot be played: pack.txt: line 1: is not UTF-8 text"},
      {"badstage", "Cannot be played: stage/fai_kansei.txt:2: cell value 2 cannot be read"},
  };
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(list[1 + i].pack.id, greyed[i].id);
    EXPECT_FALSE(list[1 + i].usable) << greyed[i].id;
    EXPECT_EQ(list[1 + i].about, greyed[i].about);
  }
  EXPECT_TRUE(list[4].usable);
  EXPECT_EQ(list[4].name, "Forest");
  EXPECT_EQ(list[4].author, "Someone");
  // Opened on the title, a choice made and the list left: a headless run
  // plays the stages it started with.
  const PlayRun r = g.Run("0\n2 F4\n3\n5 DOWN\n6\n8 RETURN\n9\n12 RETURN\n13\n30\n", 40);
  ASSERT_EQ(r.exitCode, 0) << r.errors;
  EXPECT_EQ(Width(r, 1), 30);
  EXPECT_EQ(r.state["flips"], 40);
}

namespace {

struct KeyStep {
  uint32_t flip;
  uint8_t key;  // 0: none
};
// The list from the title, down to the pack, chosen; then the game.
const KeyStep Choose[] = {{3, VK_F4}, {4, 0}, {6, VK_DOWN}, {7, 0}, {8, VK_RETURN}, {9, 0}, {11, VK_RETURN}, {12, 0}};
// The game at once.
const KeyStep Start[] = {{3, VK_RETURN}, {4, 0}};
const KeyStep* Script = nullptr;
size_t ScriptSize = 0;

void ScriptKeys(uint32_t flip, uint8_t* down) {
  uint8_t key = 0;
  for (size_t i = 0; i < ScriptSize; i++)
    if (Script[i].flip <= flip) key = Script[i].key;
  if (key) down[key] = 1;
}

// A player's game in a (dummy-driver) window, in a process of its own.
int PlayLive(const PlayFolder& g, const KeyStep* script, size_t size) {
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(g.dir.c_str()) != 0) _exit(100);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("XDG_CONFIG_HOME", (g.dir / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", g.DataHome().c_str(), 1);
    Script = script;
    ScriptSize = size;
    SetKeySource(ScriptKeys);
    RunOptions options;
    options.window = true;
    options.recordFile = "live.txt";
    options.dumpStateFile = "live.json";
    options.frames = 40;
    SetPackCheck(PackContentFault);
    if (!StartPlatform(options)) _exit(101);
    SetTextLanguage(CurrentRunOptions().language);
    char commandLine[] = "";
    const int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, 0);
    WriteGameState(options.dumpStateFile);
    FinishPlatform();
    _exit(code);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(Packs, APackChosenOnTheTitleIsPlayedKeptAndNamedInTheRecording) {
  PackGame g("chosen");
  ASSERT_EQ(PlayLive(g, Choose, std::size(Choose)), 0);
  const nlohmann::json live = nlohmann::json::parse(ReadText(g.dir / "live.json"));
  EXPECT_EQ(live["worlds"][1]["map"]["width"], 44);
  const std::string settings = ReadText(g.dir / "config/twinworlds/twinworlds.conf");
  EXPECT_NE(settings.find("\npack = forest\n"), std::string::npos) << settings;
  const std::string recording = ReadText(g.dir / "live.txt");
  EXPECT_EQ(recording.rfind("twinworlds-input 2\npack ", 0), 0u) << recording;
  const PlayRun replay = g.RunInput("live.txt", 40, {"--pack", "forest"});
  ASSERT_EQ(replay.exitCode, 0) << replay.errors;
  EXPECT_EQ(replay.state, live);

  // The next start plays the kept choice.
  ASSERT_EQ(PlayLive(g, Start, std::size(Start)), 0);
  EXPECT_EQ(nlohmann::json::parse(ReadText(g.dir / "live.json"))["worlds"][1]["map"]["width"], 44);
}
