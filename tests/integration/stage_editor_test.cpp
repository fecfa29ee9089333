// SPDX-License-Identifier: MIT
// The stage editor, run headless on a pack folder: a recorded editing
// session (paint, fill, paste across worlds, a column put in, undo, redo,
// a mouse stroke and click, a play-test from a column and back, an undo
// after it, save) replays to the stored stage files, and so does the
// recording the run made of itself; the game's own stages are edited in a
// copy; a play-test to the goal is kept as a clearing run that replays; a
// game begun on the title after a play-test is a fresh one; and
// a run killed mid-session leaves its autosave, which the next start
// offers back.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "play_folder.h"

namespace {

const std::filesystem::path Stored = std::filesystem::path(TW_SOURCE_DIR) / "tests/integration/editor_session";
const char* const StageFiles[2] = {"fai_kansei.txt", "Magic1234.txt"};

// Ground across the stage on one row, walls at both ends above it.
StageRows Ground(int width, int height, int groundRow) {
  StageRows rows = EmptyRows(width, height);
  for (int c = 0; c < width; c++) rows[groundRow][c] = 1;
  for (int r = 0; r < groundRow; r++) rows[r][0] = rows[r][width - 1] = 1;
  return rows;
}

// The pair the session was recorded on: world A 30 x 15, world B 24 x 16.
void WriteFixturePair(const PlayFolder& f) {
  f.WriteStage("fai_kansei.txt", Ground(30, 15, 9));
  f.WriteStage("Magic1234.txt", Ground(24, 16, 10));
}

TEST(StageEditorTest, ARecordedSessionReplaysToTheStoredStages) {
  PlayFolder f("editor_session");
  WriteFixturePair(f);
  const std::string gameStage = ReadText(f.dir / "stage/fai_kansei.txt");
  f.Write("session.txt", ReadText(Stored / "session.txt"));
  GameRun run = RunGame(f.dir, {"--headless", "--edit", "./pack", "--input", "session.txt", "--record", "again.txt"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* name : StageFiles)
    EXPECT_EQ(ReadText(f.dir / "pack/stage" / name), ReadText(Stored / ("saved_" + std::string(name)))) << name;
  // Saved, so no autosave is left; the game's own stage is untouched.
  EXPECT_FALSE(std::filesystem::exists(f.dir / "pack/autosave"));
  EXPECT_EQ(ReadText(f.dir / "stage/fai_kansei.txt"), gameStage);

  std::filesystem::remove_all(f.dir / "pack");
  run = RunGame(f.dir, {"--headless", "--edit", "./pack", "--input", "again.txt"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  for (const char* name : StageFiles)
    EXPECT_EQ(ReadText(f.dir / "pack/stage" / name), ReadText(Stored / ("saved_" + std::string(name)))) << name;
}

// The game's own stages, opened from the title (F5) or by --edit on the
// data folder, are first copied into a new pack of the player's under the
// name taken (the free one offered): the game data is never written.
TEST(StageEditorTest, TheGameStagesAreEditedInACopy) {
  PlayFolder f("editor_copy");
  WriteFixturePair(f);
  std::string game[2];
  for (int w = 0; w < 2; w++) game[w] = ReadText(f.dir / "stage" / StageFiles[w]);
  // The name offered taken with Return; spikes painted over the ground at
  // the cursor; saved.
  const std::string paint = "4 RETURN\n5\n7 4\n8\n9 UP\n10\n11 Z\n12\n13 LCONTROL\n14 LCONTROL S\n15 LCONTROL\n16\n";
  PlayRun run = f.Run("1 F5\n2\n" + paint, 30);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  StageRows painted = Ground(30, 15, 9);
  painted[8][10] = 51;
  EXPECT_EQ(ReadText(f.PackDir("my-stages") / "stage/fai_kansei.txt"), StageText(painted, "\r\n"));
  EXPECT_TRUE(std::filesystem::exists(f.PackDir("my-stages") / "pack.txt"));
  run = f.Run(paint, 30, {"--edit", "."});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(ReadText(f.PackDir("my-stages-2") / "stage/fai_kansei.txt"), StageText(painted, "\r\n"));
  for (int w = 0; w < 2; w++) EXPECT_EQ(ReadText(f.dir / "stage" / StageFiles[w]), game[w]) << StageFiles[w];
  EXPECT_FALSE(std::filesystem::exists(f.dir / "autosave"));
}

// A play-test from the start that reaches the goal is kept as the pair's
// clearing run: an input file of a game on the pack from its title, which
// replays to the closing screen and its Enter. Shared (F6) before, the
// link has no run; after, it carries this one and its players see it
// cleared by its maker.
TEST(StageEditorTest, APlayTestToTheGoalIsKeptAsAClearingRunThatReplays) {
  PlayFolder f("editor_clearing");
  WriteFixturePair(f);
  StageRows goal = Ground(30, 15, 9);
  goal[9][14] = 52;  // under the way right from the start
  std::filesystem::create_directories(f.dir / "pack/stage");
  f.Write("pack/stage/fai_kansei.txt", StageText(goal, "\r\n"));
  PlayRun run = f.Run("0\n1 F6\n2\n3 F5\n4\n6 RIGHT\n60\n150 RETURN\n151\n160 F6\n161\n", 200, {"--edit", "./pack"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const std::string clearing = run.state["editor"]["clearingRun"];
  ASSERT_FALSE(clearing.empty());
  std::vector<std::string> links;
  std::istringstream lines(run.output);
  for (std::string line; std::getline(lines, line);) links.push_back(line);
  ASSERT_EQ(links.size(), 2u) << run.output;
  EXPECT_LT(links[0].size(), links[1].size());
  const GameRun opened = RunGame(f.dir, {"--headless", "--pack", links[1], "--frames", "1"});
  EXPECT_NE(opened.err.find("cleared by its maker in 0:0"), std::string::npos) << opened.err;
  f.Write("clearing.txt", clearing);
  run = f.RunInput("clearing.txt", 1000, {"--pack", "./pack"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["flips"], 151);  // ended by the closing screen's Enter
}

// A game begun on the title after a play-test is a new game, not the
// play-test's left-overs: the same as a game begun at once on the pack.
TEST(StageEditorTest, ANewGameAfterAPlayTestIsAFreshOne) {
  PlayFolder f("editor_fresh");
  StageRows walker = Ground(30, 15, 9);
  walker[8][13] = 301;
  f.WriteStage("fai_kansei.txt", walker);
  f.WriteStage("Magic1234.txt", Ground(24, 16, 10));
  // In the play-test the walker is slashed to death: coins fall, a combo runs.
  std::string slashes;
  for (int t = 12; t < 190; t += 6) slashes += std::to_string(t) + " C\n" + std::to_string(t + 3) + "\n";
  PlayRun edited = f.Run("1 F5\n2\n4 RETURN\n5\n8 F5\n9\n" + slashes + "202 F5\n203\n206 ESCAPE\n207\n210 RETURN\n211\n", 215);
  ASSERT_EQ(edited.exitCode, 0) << edited.errors;
  PlayRun fresh = f.Run("1 RETURN\n2\n", 6, {"--pack", "my-stages"});
  ASSERT_EQ(fresh.exitCode, 0) << fresh.errors;
  for (const char* key : {"worlds", "coins", "comboCount"}) EXPECT_EQ(edited.state[key], fresh.state[key]) << key;
}

TEST(StageEditorTest, AnAutosaveLeftByAKilledRunIsOfferedBack) {
  PlayFolder f("editor_killed");
  WriteFixturePair(f);
  // Spikes painted one row over the ground at the cursor's column 10, then
  // the session idles on, unsaved, until it is killed.
  f.Write("paint.txt", "0\n3 4\n4\n5 UP\n6\n7 Z\n8\n");
  const std::filesystem::path autosave = f.dir / "pack/autosave/fai_kansei.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(f.dir.c_str()) != 0 || !freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(127);
    execl(TW_GAME_EXE, TW_GAME_EXE, "--headless", "--edit", "./pack", "--input", "paint.txt", "--frames", "2000000000",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  ASSERT_GT(pid, 0);
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!std::filesystem::exists(autosave) && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the run ended before it was killed";
  ASSERT_TRUE(std::filesystem::exists(autosave));
  EXPECT_FALSE(std::filesystem::exists(f.dir / "pack/stage/fai_kansei.txt"));

  // The next start asks; Y takes the autosave back, and Ctrl+S saves it.
  f.Write("answer.txt", "0\n3 Y\n4\n5 LCONTROL\n6 LCONTROL S\n7 LCONTROL\n8\n");
  const GameRun run = RunGame(f.dir, {"--headless", "--edit", "./pack", "--input", "answer.txt"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  StageRows painted = Ground(30, 15, 9);
  painted[8][10] = 51;
  EXPECT_EQ(ReadText(f.dir / "pack/stage/fai_kansei.txt"), StageText(painted, "\r\n"));
  EXPECT_FALSE(std::filesystem::exists(autosave));
}

}  // namespace
