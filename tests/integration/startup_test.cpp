// The game as a player starts it: missing data, bad options, a headless run
// that leaves a picture and a state, and the same run again.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>

#include <sstream>

#include <nlohmann/json.hpp>

#include "platform/files/data_folder.h"
#include "platform/input/input_file.h"
#include "platform/shell/run.h"
#include "support/game_runner.h"

namespace {

class Startup : public ::testing::Test {
 protected:
  void SetUp() override { folder = MakeGameFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
};

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(Startup, WithoutBitmapsSaysSoOnceAndFails) {
  // A stage file makes this the data folder, bitmaps or not.
  std::filesystem::create_directories(folder / "Stage");
  std::ofstream(folder / "Stage/fai_kansei.txt") << "";
  GameRun run = RunGame(folder, {"--headless", "--frames", "5", "--lang", "ja"});
  EXPECT_EQ(run.exitCode, 1);
  const std::string message = "Bitmapが読み込めません";
  const size_t at = run.err.find(message);
  ASSERT_NE(at, std::string::npos) << run.err;
  EXPECT_EQ(run.err.find(message, at + 1), std::string::npos);
  EXPECT_NE(run.err.find("image/stage1/status.BMP: cannot open the bitmap (no such file)"), std::string::npos);
  // The box names what is missing: here the outermost folder.
  EXPECT_NE(run.err.find(message + "\nこのフォルダがありません: image\n"), std::string::npos) << run.err;
  // The English game says it in English and wants its own menu picture.
  run = RunGame(folder, {"--headless", "--frames", "5", "--lang", "en"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("Error: Cannot load the bitmaps"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("image/stage1/status_en.BMP"), std::string::npos);
  // A file that is there but is no bitmap.
  std::filesystem::create_directories(folder / "Image" / "Stage1");
  std::ofstream(folder / "Image" / "Stage1" / "status_en.BMP") << "not a bitmap";
  run = RunGame(folder, {"--headless", "--frames", "5", "--lang", "en"});
  EXPECT_NE(run.err.find("Error: Cannot load the bitmaps\nThis file cannot be used: Image/Stage1/status_en.BMP\n"),
            std::string::npos)
      << run.err;
  // Without --lang, the locale: the first of LC_ALL, LC_MESSAGES and LANG
  // that is set; Japanese for ja, English for any other or none.
  const std::vector<std::pair<std::vector<std::string>, bool>> locales = {
      {{"LC_ALL=", "LC_MESSAGES=", "LANG="}, false},
      {{"LC_ALL=", "LC_MESSAGES=", "LANG=ja_JP.UTF-8"}, true},
      {{"LC_ALL=", "LC_MESSAGES=ja_JP.UTF-8", "LANG=en_US.UTF-8"}, true},
      {{"LC_ALL=C", "LC_MESSAGES=", "LANG=ja_JP.UTF-8"}, false},
  };
  for (const auto& [environment, japanese] : locales) {
    run = RunGame(folder, {"--headless", "--frames", "5"}, environment);
    EXPECT_NE(run.err.find(japanese ? "エラー: Bitmap" : "Error: Cannot"), std::string::npos)
        << environment[0] << environment[1] << environment[2] << "\n" << run.err;
  }
}

TEST_F(Startup, BadOptionsAndInputFilesAreRefusedBeforeAnythingStarts) {
  std::ofstream(folder / "bad_input.txt") << "0 Z\n0 X\n";
  const std::vector<std::vector<std::string>> bad = {
      {"--headless", "--jump"},
      {"--headless", "--frames", "many"},
      {"--headless", "--input", "missing.txt"},
      {"--headless", "--input", "bad_input.txt"},
      {"--headless", "--lang", "xx"},
      // Not a regular file: a folder, a device without end, a FIFO that
      // would wait for a writer; a file beyond 64 MiB; a recording over
      // the script being played.
      {"--headless", "--input", "."},
      {"--headless", "--input", "/dev/zero"},
      {"--headless", "--input", "fifo"},
      {"--headless", "--input", "huge.txt"},
      {"--headless", "--input", "good.txt", "--record", "./good.txt"},
  };
  ASSERT_EQ(mkfifo((folder / "fifo").c_str(), 0600), 0);
  std::ofstream(folder / "huge.txt").close();
  std::filesystem::resize_file(folder / "huge.txt", (64 << 20) + 1);
  std::ofstream(folder / "good.txt") << "0 RETURN\n";
  for (const auto& args : bad) {
    GameRun run = RunGame(folder, args);
    EXPECT_EQ(run.exitCode, 2) << args[1];
    EXPECT_EQ(Lines(run.err), 1) << run.err;
    EXPECT_EQ(run.err.find("Bitmap"), std::string::npos);
  }
  EXPECT_EQ(ReadText(folder / "good.txt"), "0 RETURN\n");
}

TEST_F(Startup, HeadlessRunsLeaveTheSamePictureAndStateEveryTime) {
  WriteFixtureBitmaps(folder);
  // Two plain stages of 20 x 15 with ground on row 9, so that Return starts
  // a game and the run goes on into play.
  std::filesystem::create_directories(folder / "stage");
  std::string stage = "20,15,\n";
  for (int r = 0; r < 15; r++)
    for (int c = 0; c < 20; c++) stage += (r == 9 ? "1," : "0,") + std::string(c == 19 ? "\n" : "");
  std::ofstream(folder / "stage" / "fai_kansei.txt") << stage;
  std::ofstream(folder / "stage" / "Magic1234.txt") << stage;
  std::ofstream(folder / "keys.txt") << "twinworlds-input 1\n3 RETURN\n6 RIGHT\n";
  std::string shots[2], states[2];
  for (int i = 0; i < 2; i++) {
    const std::string png = "shot" + std::to_string(i) + ".png", json = "state" + std::to_string(i) + ".json";
    GameRun run = RunGame(folder, {"--headless", "--input", "keys.txt", "--frames", "12", "--screenshot", png,
                                   "--dump-state", json});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    shots[i] = ReadText(folder / png);
    states[i] = ReadText(folder / json);
  }
  EXPECT_FALSE(shots[0].empty());
  EXPECT_EQ(shots[0], shots[1]);
  EXPECT_EQ(states[0], states[1]);
  Picture picture;
  ASSERT_TRUE(ReadPng(folder / "shot0.png", &picture));
  EXPECT_EQ(picture.width, 640);
  EXPECT_EQ(picture.height, 480);
  const auto state = nlohmann::json::parse(states[0]);
  EXPECT_EQ(state["flips"], 12);
  EXPECT_EQ(state["gameMode"], 0);
  EXPECT_GT(state["frames"], 0);
}

TEST_F(Startup, EscapeOpensThePauseMenuAndF2EndsTheGame) {
  WriteFixtureBitmaps(folder);
  // Escape at flip 4: the menu's box is on the screen at flip 8.
  std::ofstream(folder / "pause.txt") << "4 ESCAPE\n5\n";
  GameRun run = RunGame(folder, {"--headless", "--input", "pause.txt", "--frames", "8", "--screenshot", "p.png"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  Picture picture;
  ASSERT_TRUE(ReadPng(folder / "p.png", &picture));
  // Inside the rounded box: white, outlined in black.
  const uint8_t* inside = picture.At(110, 210);
  EXPECT_EQ(inside[0] + inside[1] + inside[2], 3 * 255);
  const uint8_t* edge = picture.At(320, 200);
  EXPECT_EQ(edge[0] + edge[1] + edge[2], 0);
  // F2 ends the game through the normal shutdown, long before the limit.
  std::ofstream(folder / "quit.txt") << "4 ESCAPE\n5\n7 F2\n";
  run = RunGame(folder, {"--headless", "--input", "quit.txt", "--frames", "1000", "--dump-state", "q.json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(nlohmann::json::parse(ReadText(folder / "q.json"))["flips"], 7);
}

TEST_F(Startup, ARecordingPlaysBackTheSameKeys) {
  WriteFixtureBitmaps(folder);
  std::ofstream(folder / "keys.txt") << "2 Z X\n5 LEFT\n9\n";
  GameRun run = RunGame(folder, {"--headless", "--input", "keys.txt", "--record", "rec.txt", "--frames", "12"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  std::vector<InputLine> original, recorded;
  std::string error;
  ASSERT_TRUE(LoadInputFile((folder / "keys.txt").string(), &original, &error));
  ASSERT_TRUE(LoadInputFile((folder / "rec.txt").string(), &recorded, &error)) << error;
  ASSERT_EQ(recorded.size(), original.size() + 1);  // the first sample, no keys
  EXPECT_EQ(recorded[0].flip, 0u);
  for (size_t i = 0; i < original.size(); i++) {
    EXPECT_EQ(recorded[i + 1].flip, original[i].flip);
    auto a = recorded[i + 1].keys, b = original[i].keys;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b);
  }
}

// A run shared as a link plays as the file it came from; --share refuses
// what is not an input file.
TEST_F(Startup, ARunSharedAsALinkPlaysAsItsFile) {
  WriteFixtureBitmaps(folder);
  std::ofstream(folder / "keys.txt") << "twinworlds-input 1\n2 Z X\n5 LEFT\n9\n";
  GameRun share = RunGame(folder, {"--share", "keys.txt", "--share-base", "https://example.org/tw/"});
  ASSERT_EQ(share.exitCode, 0) << share.err;
  ASSERT_EQ(share.out.rfind("https://example.org/tw/#run=", 0), 0u) << share.out;
  const std::string link = share.out.substr(0, share.out.size() - 1);
  GameRun fromFile = RunGame(folder, {"--headless", "--input", "keys.txt", "--frames", "12", "--dump-state", "a.json"});
  GameRun fromLink = RunGame(folder, {"--headless", "--input", link, "--frames", "12", "--dump-state", "b.json"});
  ASSERT_EQ(fromLink.exitCode, 0) << fromLink.err;
  EXPECT_EQ(ReadText(folder / "a.json"), ReadText(folder / "b.json"));
  std::ofstream(folder / "bad.txt") << "0 JUMP\n";
  EXPECT_EQ(RunGame(folder, {"--share", "bad.txt"}).exitCode, 2);
  GameRun cut = RunGame(folder, {"--headless", "--input", link.substr(0, link.size() - 4)});
  EXPECT_EQ(cut.exitCode, 2);
  EXPECT_NE(cut.err.find("not a whole run link"), std::string::npos) << cut.err;
}

// Ctrl+C or a logout: the normal shutdown, one line, and everything the run
// leaves whole: the recording up to the last flip, the picture, the state.
TEST_F(Startup, ASignalEndsTheGameThroughItsNormalShutdown) {
  WriteFixtureBitmaps(folder);
  for (int signal : {SIGINT, SIGTERM}) {
    const pid_t pid = fork();
    if (pid == 0) {
      if (chdir(folder.c_str()) != 0 || !freopen("run.stderr", "w", stderr)) _exit(127);
      execl(TW_GAME_EXE, TW_GAME_EXE, "--headless", "--record", "rec.txt", "--screenshot", "shot.png", "--dump-state",
            "state.json", static_cast<char*>(nullptr));
      _exit(127);
    }
    // Started once the recording is open; the signal comes a while later.
    for (int i = 0; i < 1000 && !std::filesystem::exists(folder / "rec.txt"); i++) usleep(10000);
    usleep(500000);
    kill(pid, signal);
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << signal;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string err = ReadText(folder / "run.stderr");
    EXPECT_EQ(Lines(err), 1) << err;
    EXPECT_NE(err.find(signal == SIGINT ? "SIGINT" : "SIGTERM"), std::string::npos) << err;
    // Whenever it came, start-up included (a slow build may not have flipped yet).
    const nlohmann::json state = nlohmann::json::parse(ReadText(folder / "state.json"));
    EXPECT_GE(state["flips"].get<int>(), 0);
    std::vector<InputLine> recorded;
    std::string error;
    EXPECT_TRUE(LoadInputFile((folder / "rec.txt").string(), &recorded, &error)) << error;
    Picture shot;
    EXPECT_TRUE(ReadPng(folder / "shot.png", &shot));
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
    std::filesystem::remove(folder / "rec.txt");
  }
}

}  // namespace

namespace {

TEST_F(Startup, HelpVersionAndAnUnknownOptionSayWhatTheyMust) {
  GameRun help = RunGame(folder, {"--help"});
  EXPECT_EQ(help.exitCode, 0);
  for (const char* option : {"--window", "--fullscreen", "--scale", "--data", "--headless", "--input", "--record",
                             "--frames", "--screenshot", "--dump-state", "--timedemo", "--help", "--version"})
    EXPECT_NE(help.out.find(std::string("\n  ") + option + " "), std::string::npos) << option;
  EXPECT_NE(help.out.find("jump"), std::string::npos);
  // The controls are the ones the settings file binds.
  std::filesystem::create_directories(folder / "twinworlds");
  std::ofstream(folder / "twinworlds/twinworlds.conf") << "pause = F4, pad:back+start\n";
  const GameRun bound = RunGame(folder, {"--help"}, {"XDG_CONFIG_HOME=" + folder.string()});
  EXPECT_NE(bound.out.find("\n  F4                     Back+Start                 pause menu"), std::string::npos)
      << bound.out;
  EXPECT_NE(bound.out.find("\n  F3                     Back                       title and pause menu"),
            std::string::npos)
      << bound.out;
  GameRun version = RunGame(folder, {"--version"});
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_EQ(version.out.rfind("twinworlds ", 0), 0u);
  EXPECT_EQ(Lines(version.out), 1);
  GameRun unknown = RunGame(folder, {"--fly"});
  EXPECT_EQ(unknown.exitCode, 2);
  EXPECT_EQ(unknown.err, "twinworlds: --fly: unknown option (twinworlds --help lists the options)\n");
}

// No one can answer a box no one sees: with no display the game says so
// and ends; in a window of SDL's dummy driver the data error is said on
// stderr and the game ends rather than wait for an OK.
TEST_F(Startup, NoDisplayAndAnUnseenWindowNeverWaitForAnAnswer) {
  const std::string game = std::string(TW_GAME_EXE) + " --window --lang en --data '" + folder.string() + "' 2> err.txt";
  const std::string in = "cd '" + folder.string() + "' && XDG_CONFIG_HOME=\"$PWD\" SDL_AUDIODRIVER=dummy ";
  int status = std::system((in + "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 30 " + game).c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadText(folder / "err.txt").find("cannot open a window: no display"), std::string::npos)
      << ReadText(folder / "err.txt");
  status = std::system((in + "SDL_VIDEODRIVER=dummy timeout 30 " + game).c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_NE(ReadText(folder / "err.txt").find("Error: Cannot load the bitmaps"), std::string::npos)
      << ReadText(folder / "err.txt");
}

// The title shows one picture at every flip: a window converts it for the
// screen once, not at every present (--timedemo counts both).
TEST_F(Startup, AWindowConvertsThePictureOnlyWhenItChanges) {
  WriteFixtureBitmaps(folder);
  const GameRun run = RunGame(folder, {"--window", "--frames", "60", "--timedemo"},
                              {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy", "XDG_CONFIG_HOME=" + folder.string()});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  unsigned long presented = 0, converted = 0, p, c;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);)
    if (std::sscanf(line.c_str(), "timedemo: %lu pictures presented, %lu", &p, &c) == 2) presented = p, converted = c;
  EXPECT_GE(presented, 60u) << run.out;
  EXPECT_GE(converted, 1u) << run.out;
  EXPECT_LE(converted, 3u) << run.out;
}

TEST_F(Startup, AHeadlessInputFileEndsTheRunSoonAfterItsLastLine) {
  WriteFixtureBitmaps(folder);
  std::ofstream(folder / "keys.txt") << "3 Z\n40 LEFT\n50\n";
  GameRun run = RunGame(folder, {"--headless", "--input", "keys.txt", "--dump-state", "s.json"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(nlohmann::json::parse(ReadText(folder / "s.json"))["flips"], 50 + InputTailFlips);
}

TEST_F(Startup, WithoutADataFolderEveryPlaceTriedIsNamedAndTheGameFails) {
  if (!InstalledDataFolder().empty() && std::filesystem::exists(InstalledDataFolder() + "/image"))
    GTEST_SKIP() << "the game is installed on this machine, in " << InstalledDataFolder();
  // An empty working directory, and a copy of the game where no data is
  // beside it.
  std::filesystem::copy_file(TW_GAME_EXE, folder / "twinworlds");
  const std::string command = "cd '" + folder.string() + "' && HOME=/nonexistent XDG_DATA_DIRS=/nonexistent ./twinworlds --headless --frames 5 --lang ja 2> err.txt";
  const int status = std::system(command.c_str());
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string err = ReadText(folder / "err.txt");
  EXPECT_NE(err.find("is in none of: . " + folder.string() + "/game"), std::string::npos) << err;
  EXPECT_NE(err.find("/nonexistent/twinworlds"), std::string::npos) << err;
  EXPECT_NE(err.find("Bitmapが読み込めません\nゲームのデータが見つかりません"), std::string::npos) << err;
  EXPECT_EQ(err.find("status.BMP"), std::string::npos) << err;
}

}  // namespace
