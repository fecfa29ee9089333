// The game from the title through play, headless, on fixture stages.
#include <gtest/gtest.h>

#include "play_folder.h"

namespace {

// 40 x 15: ground on row 9 (y 288), where the character's feet rest at its
// start (x 320, y 263); walls at both ends.
std::vector<std::vector<int>> PlainStage() {
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 1;
  for (int r = 0; r < 9; r++) rows[r][0] = rows[r][39] = 1;
  return rows;
}

// Enter on the title; play frame k then sees the keys of the line for flip
// 2 + k, and is shown by flip 3 + k.
const char* const StartGame = "1 RETURN\n2\n";

const nlohmann::json& Player(const PlayRun& run, int world) { return run.state["worlds"][world]["player"]; }
const nlohmann::json& Map(const PlayRun& run, int world) { return run.state["worlds"][world]["map"]; }

TEST(NewGame, EnterStartsBothWorldsAlike) {
  PlayFolder g("newgame");
  g.WriteBothStages(PlainStage());
  const PlayRun run = g.Run(StartGame, 3);  // the new game is set up, no frame played yet
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["gameMode"], 0);
  EXPECT_EQ(run.state["frames"], 0);
  const auto& a = Player(run, 0);
  EXPECT_EQ(a, Player(run, 1));
  EXPECT_EQ(a["x"], 320);
  EXPECT_EQ(a["y"], 263);
  EXPECT_EQ(a["hp"], 100);
  EXPECT_EQ(a["maxHp"], 100);
  EXPECT_EQ(a["facing"], 1);
  EXPECT_EQ(a["anim"], 0);
  EXPECT_EQ(a["skillPoints"], 0);
  EXPECT_EQ(a["boxTop"], -28);
  EXPECT_EQ(a["boxLeft"], -10);
  const nlohmann::json skills = a["skills"];
  ASSERT_EQ(skills.size(), 15u);
  EXPECT_EQ(skills[0], nlohmann::json::array({1, 10}));
  EXPECT_EQ(skills[1], nlohmann::json::array({1, 10}));
  EXPECT_EQ(skills[2], nlohmann::json::array({0, 20}));
  EXPECT_EQ(skills[3], nlohmann::json::array({0, 30}));
  EXPECT_EQ(skills[4], nlohmann::json::array({1, 20}));
  for (int i = 5; i < 15; i++) EXPECT_EQ(skills[i], nlohmann::json::array({-1, 0}));
  EXPECT_EQ(Map(run, 0)["width"], 40);
  EXPECT_EQ(Map(run, 0)["height"], 15);
  EXPECT_EQ(Map(run, 0)["cells"].size(), 600u);
  EXPECT_TRUE(run.state["worlds"][0]["enemies"].empty());
}

TEST(NewGame, TheMusicStartsWithTheGame) {
  PlayFolder g("music");
  g.WriteBothStages(PlainStage());
  std::filesystem::create_directories(g.dir / "Sound");
  std::filesystem::copy_file(std::filesystem::path(TW_GAME_DIR) / "Sound" / "yamiji.mid", g.dir / "Sound" / "yamiji.mid");
  EXPECT_EQ(g.Run("", 4).state["music"], "stopped");
  EXPECT_EQ(g.Run(StartGame, 4).state["music"], "playing");
}

TEST(NewGame, WithoutTheTitleKeyTheTitleStays) {
  PlayFolder g("title");
  g.WriteBothStages(PlainStage());
  const PlayRun run = g.Run("", 10);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["gameMode"], 3);
  EXPECT_EQ(run.state["frames"], 0);
}

TEST(NewGame, AMissingStageEndsTheGameWithItsMessage) {
  PlayFolder g("nostage");
  g.WriteStage("fai_kansei.txt", PlainStage());
  const PlayRun run = g.Run(StartGame, 20, {"--lang", "ja"});
  // A failure, not a game played to its end; the line names the file.
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errors.find("ステージデータが読み込めません\nこのファイルがありません: stage/Magic1234.txt"), std::string::npos)
      << run.errors;
  EXPECT_NE(run.errors.find("stage/Magic1234.txt: cannot open the stage file"), std::string::npos) << run.errors;
  EXPECT_EQ(run.state["frames"], 0);
}

TEST(Play, RunningScrollsTheViewAndTheOtherWorldWaits) {
  PlayFolder g("run");
  g.WriteBothStages(PlainStage());
  const PlayRun run = g.Run(std::string(StartGame) + "3 RIGHT\n13\n", 14);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["frames"], 11);
  EXPECT_EQ(Player(run, 0)["x"], 380);
  EXPECT_EQ(Map(run, 0)["scrollX"], 60);
  EXPECT_EQ(Map(run, 0)["scrollXTotal"], 60);
  EXPECT_EQ(Player(run, 1)["x"], 320);
  EXPECT_EQ(Map(run, 1)["scrollX"], 0);
}

TEST(Play, AJumpComesBackDown) {
  PlayFolder g("jump");
  g.WriteBothStages(PlainStage());
  const PlayRun high = g.Run(std::string(StartGame) + "3 Z\n4\n", 3 + 15);
  ASSERT_EQ(high.exitCode, 0) << high.errors;
  EXPECT_EQ(Player(high, 0)["y"], 263 - 120);
  EXPECT_EQ(Player(high, 0)["air"], 1);
  const PlayRun landed = g.Run(std::string(StartGame) + "3 Z\n4\n", 3 + 40);
  EXPECT_EQ(Player(landed, 0)["y"], 263);
  EXPECT_EQ(Player(landed, 0)["air"], 0);
  EXPECT_EQ(Player(landed, 0)["jumpOriginX"], 0);
}

TEST(Play, AHazardHurtsBothWorldsCharacters) {
  PlayFolder g("hazard");
  auto rows = PlainStage();
  rows[9][9] = 51;  // under the left part of the box
  g.WriteStage("fai_kansei.txt", rows);
  g.WriteStage("Magic1234.txt", PlainStage());
  const PlayRun run = g.Run(std::string(StartGame), 3 + 3);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(Player(run, 0)["hp"], 80);
  EXPECT_EQ(Player(run, 1)["hp"], 80);
  EXPECT_EQ(Player(run, 0)["invuln"], 70 - 3);
  EXPECT_EQ(run.state["sounds"]["SeHit"], 1);
  // Sent out by the hurt, then sliding 5 a frame.
  EXPECT_EQ(run.state["comboBannerX"], 360 + 5 * 3);
}

TEST(Play, TheGoalShowsTheClosingScreenUntilEnter) {
  PlayFolder g("goal");
  auto rows = PlainStage();
  rows[9][9] = 52;
  g.WriteBothStages(rows);
  const PlayRun run = g.Run(std::string(StartGame) + "40 RETURN\n", 1000);
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["frames"], 1);
  EXPECT_EQ(run.state["flips"], 41);
}

TEST(Play, EnemyCellsComeToLifeAndFall) {
  PlayFolder g("enemies");
  auto rows = PlainStage();
  rows[5][3] = 301;
  rows[4][12] = 302;
  g.WriteBothStages(rows);
  const PlayRun run = g.Run(StartGame, 3 + 20);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const auto& enemies = run.state["worlds"][0]["enemies"];
  // The map is scanned from the top row: the thrower takes the first slot.
  ASSERT_EQ(enemies.size(), 2u);
  EXPECT_EQ(enemies[0]["slot"], 0);
  EXPECT_EQ(enemies[0]["kind"], 302);
  // It sees the character in its first frame, stands through the 8 frames
  // of its wind-up and walks on while its shot flies: 12 frames of walking.
  EXPECT_EQ(enemies[0]["x"], 32 * 12 - 2 * 12);
  EXPECT_EQ(enemies[0]["y"].get<int>() + 32, 287);  // standing on row 9
  EXPECT_EQ(enemies[1]["kind"], 301);
  EXPECT_EQ(enemies[1]["x"], 32 * 3 + 50 - 2 * 20);  // walking left from its first frame
  EXPECT_EQ(enemies[1]["y"].get<int>() + 25, 287);
  EXPECT_EQ(Map(run, 0)["cells"][5 * 40 + 3], 0);
  EXPECT_EQ(run.state["worlds"][1]["enemies"].size(), 2u);
}

// A walker comes walking in front of the character, which slashes once: two
// hits of 5, knocked back 8 pixels each, one combo.
TEST(Play, ASlashHitsTheEnemyInFront) {
  PlayFolder g("slash");
  auto rows = PlainStage();
  rows[5][13] = 301;
  g.WriteBothStages(rows);
  const PlayRun run = g.Run(std::string(StartGame) + "22 X\n23\n", 3 + 40);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const auto& enemies = run.state["worlds"][0]["enemies"];
  ASSERT_EQ(enemies.size(), 1u);
  EXPECT_EQ(enemies[0]["hp"], 90);
  EXPECT_EQ(enemies[0]["x"], 32 * 13 + 50 - 2 * 40 + 16);
  EXPECT_EQ(enemies[0]["facing"], -2);
  EXPECT_EQ(run.state["comboCount"], 1);
  EXPECT_EQ(run.state["sounds"]["SeTest"], 1);  // the first hit only
  EXPECT_EQ(Player(run, 0)["attack"], 0);
}

// Ten slashes beat a walker as it comes; its three coins pay the combo of
// ten, 4 points each, to the character walking into two of them.
TEST(Play, ABeatenWalkersCoinsPayTheCombo) {
  PlayFolder g("coins");
  auto rows = PlainStage();
  rows[5][13] = 301;
  g.WriteStage("fai_kansei.txt", rows);
  g.WriteStage("Magic1234.txt", PlainStage());
  std::string input = StartGame;
  for (int k = 22; k < 122; k += 10) input += std::to_string(k) + " X\n" + std::to_string(k + 1) + "\n";
  const PlayRun run = g.Run(input + "160 RIGHT\n175\n", 200);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(run.state["worlds"][0]["enemies"].empty());
  EXPECT_EQ(Player(run, 0)["skillPoints"], 8);
  EXPECT_EQ(run.state["sounds"]["SeCoin"], 2);
  const auto& coins = run.state["coins"];
  ASSERT_EQ(coins.size(), 1u);
  EXPECT_EQ(coins[0]["index"], 2);
  EXPECT_EQ(coins[0]["vx"], 0);  // lying on the ground
}

// World A's switch 101 under the start (the left part of the box) opens world A's gate at its marker
// 201 and reveals the hidden cells of group 1.
TEST(Play, ASwitchOpensGatesAndRevealsCells) {
  PlayFolder g("switch");
  auto rows = PlainStage();
  rows[9][9] = 101;
  rows[2][25] = 201;
  rows[8][20] = 151;
  rows[8][21] = 152;
  rows[3][30] = 1009;
  rows[3][31] = 2009;
  g.WriteStage("fai_kansei.txt", rows);
  g.WriteStage("Magic1234.txt", PlainStage());
  const PlayRun run = g.Run(StartGame, 3 + 200);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const auto& cells = Map(run, 0)["cells"];
  EXPECT_EQ(cells[9 * 40 + 9], 150);
  EXPECT_EQ(cells[2 * 40 + 25], 0);
  EXPECT_EQ(cells[8 * 40 + 20], 157);
  EXPECT_EQ(cells[8 * 40 + 21], 158);
  EXPECT_EQ(cells[3 * 40 + 30], 9);
  EXPECT_EQ(cells[3 * 40 + 31], 2009);
  EXPECT_EQ(Map(run, 0)["hiddenCount"], 2);
  EXPECT_EQ(run.state["sounds"]["SeGara"], 2 * 3);  // each gate cell at each raise
  // 73 scene frames and the fades' flips lie between the frames of play.
  EXPECT_LT(run.state["frames"].get<int>(), 200 - 73);
}

// The inactive world's character is stepped: its switch runs its scene too,
// here opening a gate of world B.
TEST(Play, TheOtherWorldsSwitchRunsItsScene) {
  PlayFolder g("otherswitch");
  auto rows = PlainStage();
  rows[9][9] = 125;
  rows[2][25] = 225;
  rows[8][20] = 151;
  g.WriteStage("fai_kansei.txt", PlainStage());
  g.WriteStage("Magic1234.txt", rows);
  const PlayRun run = g.Run(StartGame, 3 + 200);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(Map(run, 1)["cells"][9 * 40 + 9], 150);
  EXPECT_EQ(Map(run, 1)["cells"][8 * 40 + 20], 157);
}

TEST(Play, CrlfAndLfStagesPlayTheSame) {
  PlayFolder g("crlf");
  auto rows = PlainStage();
  rows[5][3] = 301;
  g.WriteStage("fai_kansei.txt", rows, "\r\n");
  g.WriteStage("Magic1234.txt", rows, "\n");
  const PlayRun run = g.Run(StartGame, 3 + 20);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(Map(run, 0)["cells"], Map(run, 1)["cells"]);
  EXPECT_EQ(Player(run, 0)["y"], Player(run, 1)["y"]);
  EXPECT_EQ(run.state["worlds"][0]["enemies"], run.state["worlds"][1]["enemies"]);
}

}  // namespace
