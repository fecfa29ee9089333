// The screens that run loops of their own, headless: the run's last flip
// (as a closed window would) ends the game through the normal shutdown
// whichever of them is open, and the death dialog's answers.
#include <gtest/gtest.h>

#include <cstring>

#include "play_folder.h"

namespace {

// Ground on row 9 under the character's start (x 320, y 263), walls at both
// ends; `underfoot` fills the ground cell below the left part of its box.
StageRows Stage(int underfoot = 1) {
  auto rows = EmptyRows(40, 15);
  for (int c = 0; c < 40; c++) rows[9][c] = 1;
  for (int r = 0; r < 9; r++) rows[r][0] = rows[r][39] = 1;
  rows[9][9] = underfoot;
  rows[2][25] = 201;  // the marker of switch 101's scene
  return rows;
}

// The whole ground a hazard: five hits, 70 frames apart, kill.
StageRows DeadlyStage() {
  auto rows = Stage();
  for (int c = 1; c < 39; c++) rows[9][c] = 51;
  return rows;
}

const char* const StartGame = "1 RETURN\n2\n";

struct ModalScreen {
  const char* name;
  StageRows stage;
  std::string input;
  int flips;
  int maxFrames;  // frames of play that ran before the screen held the game
};

TEST(ModalScreens, TheLastFlipEndsTheGameFromInsideEachOne) {
  const ModalScreen screens[] = {
      {"pause", Stage(), std::string(StartGame) + "6 ESCAPE\n7\n", 60, 4},
      {"skills", Stage(), std::string(StartGame) + "6 CONTROL\n7\n", 60, 4},
      {"closing", Stage(52), StartGame, 60, 1},
      {"scene", Stage(101), StartGame, 60, 1},
      {"death", DeadlyStage(), StartGame, 3 + 360, 300},
  };
  for (const ModalScreen& s : screens) {
    PlayFolder g(std::string("modal_") + s.name);
    g.WriteBothStages(s.stage);
    const PlayRun run = g.Run(s.input, s.flips);
    EXPECT_EQ(run.exitCode, 0) << s.name << run.errors;
    ASSERT_TRUE(run.state.is_object()) << s.name;
    // The state as it stood at that flip, not a flip or a screen later.
    EXPECT_EQ(run.state["flips"].get<int>(), s.flips) << s.name;
    EXPECT_LE(run.state["frames"].get<int>(), s.maxFrames) << s.name;
  }
}

// Keys pressed while the skill menu or the pause menu runs wait in the queue;
// hundreds of them never push out the end of the game.
TEST(ModalScreens, KeysPressedInsideNeverLoseTheQuit) {
  PlayFolder g("flood");
  g.WriteBothStages(Stage());
  for (const char* key : {"CONTROL", "ESCAPE"}) {
    std::string input = std::string("0 RETURN\n2\n10 ") + key + "\n12\n";
    for (int i = 0, flip = 13; i < 300; i++, flip += 2)
      input += std::to_string(flip) + (i % 2 ? " DOWN\n" : " RIGHT\n") + std::to_string(flip + 1) + "\n";
    const PlayRun run = g.Run(input, 700);
    EXPECT_EQ(run.exitCode, 0) << key << run.errors;
    ASSERT_TRUE(run.state.is_object()) << key;
    EXPECT_EQ(run.state["flips"], 700) << key;
  }
  // An Escape pressed in the skill menu opens the pause menu once the menu
  // has closed: play stays held.
  const PlayRun held = g.Run(std::string(StartGame) + "6 CONTROL\n7\n10 ESCAPE\n11\n14 CONTROL\n15\n", 80);
  const PlayRun plays = g.Run(std::string(StartGame) + "6 CONTROL\n7\n14 CONTROL\n15\n", 80);
  ASSERT_EQ(held.exitCode, 0) << held.errors;
  EXPECT_LT(held.state["frames"].get<int>(), 10);
  EXPECT_GT(plays.state["frames"].get<int>(), 30);
}

// Escape at flip 6 pauses from play frame 4; F1 at flip 12 goes back to play.
TEST(PauseMenu, F1GoesBackToPlay) {
  PlayFolder g("pause");
  g.WriteBothStages(Stage());
  const PlayRun run = g.Run(std::string(StartGame) + "6 ESCAPE\n7\n12 F1\n13\n", 40);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["frames"], 40 - 3 - (12 - 6));
}

const nlohmann::json& Player(const PlayRun& run, int world) { return run.state["worlds"][world]["player"]; }

TEST(DeathDialog, NEndsTheGameAndYContinuesWithTheLevelsLowered) {
  PlayFolder g("death");
  g.WriteBothStages(DeadlyStage());
  const PlayRun quit = g.Run("1 RETURN\n2 N\n", 1000);
  EXPECT_EQ(quit.exitCode, 0) << quit.errors;
  EXPECT_LT(quit.state["flips"].get<int>(), 400);
  EXPECT_EQ(Player(quit, 0)["dead"], 2);

  // Continued about 100 frames before the end: hit once more since.
  const PlayRun go = g.Run("1 RETURN\n2 Y\n", 400);
  ASSERT_EQ(go.exitCode, 0) << go.errors;
  EXPECT_EQ(go.state["sounds"]["SeLvup"], 1);
  for (int w = 0; w < 2; w++) {
    EXPECT_EQ(Player(go, w)["dead"], 0);
    EXPECT_EQ(Player(go, w)["hp"], 80);
    for (int i = 0; i < 5; i++) EXPECT_EQ(Player(go, w)["skills"][i][0], 0) << w << " " << i;
  }
}

// An Escape pressed while the death dialog is up opens the pause menu once
// the game has continued: over the game, not over the dialog's old box.
TEST(DeathDialog, AnEscapeInsideOpensThePauseMenuOverTheGameNotTheOldBox) {
  PlayFolder g("death_pause");
  g.WriteBothStages(DeadlyStage());
  const PlayRun run = g.Run("1 RETURN\n2\n400 ESCAPE\n401\n404 Y\n405\n", 420, {"--screenshot", "shot.png"});
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["sounds"]["SeLvup"], 1);
  Picture shot;
  ASSERT_TRUE(ReadPng(g.dir / "shot.png", &shot));
  // The pause bar's white inside; the dialog's box (120, 160 to 520, 220)
  // gone above the bar.
  EXPECT_EQ(shot.At(110, 230)[0] + shot.At(110, 230)[1] + shot.At(110, 230)[2], 3 * 255);
  for (int y : {162, 180, 198}) {
    const uint8_t* p = shot.At(130, y);
    EXPECT_NE(p[0] + p[1] + p[2], 3 * 255) << y;
  }
}

// Pause menu, skill menu and the death dialog in both languages: the same
// game to the last byte of its state, told in other words.
TEST(Language, ChangesTheWordsOnTheScreenAndNothingElse) {
  PlayFolder g("language");
  g.WriteBothStages(DeadlyStage());
  const std::string input = std::string(StartGame) + "6 ESCAPE\n7\n12 F1\n13\n20 CONTROL\n21\n40 CONTROL\n41\n";
  PlayRun runs[2];
  std::string shots[2];
  const char* const languages[2] = {"ja", "en"};
  for (int i = 0; i < 2; i++) {
    runs[i] = g.Run(input, 600, {"--lang", languages[i], "--screenshot", "shot.png"});
    ASSERT_EQ(runs[i].exitCode, 0) << runs[i].errors;
    shots[i] = ReadText(g.dir / "shot.png");
  }
  EXPECT_EQ(Player(runs[0], 0)["dead"], 2);  // the death dialog is up at the end
  EXPECT_EQ(runs[0].state, runs[1].state);
  EXPECT_FALSE(shots[0].empty());
  EXPECT_NE(shots[0], shots[1]);
}

// The pause bar names the keys bound: F1 bound to F4 on the options screen
// changes the bar's first line and nothing else; a pad touched last changes
// its two lines to the pad's buttons and nothing else, and the touch
// controls used last to theirs, unlike the pad's.
TEST(Prompts, NameTheBoundKeyThePadsButtonAndTheTouchControl) {
  PlayFolder g("prompts");
  g.WriteBothStages(Stage());
  const std::string play = "19 ESCAPE\n20\n22 RETURN\n23\n27 ESCAPE\n28\n";
  const std::string rebind = "3 UP\n4\n5 UP\n6\n7 UP\n8\n9 UP\n10\n11 UP\n12\n13 UP\n14\n15 RETURN\n16\n17 F4\n18\n";
  const std::string inputs[4] = {"1 F3\n2\n" + play, "1 F3\n2\n" + rebind + play, "1 F3\n2\n" + play + "30 GAMEPAD_A\n31\n",
                                 "1 F3\n2\n" + play + "30 TOUCH\n31\n"};
  Picture shots[4];
  for (int i = 0; i < 4; i++) {
    const PlayRun run = g.Run(inputs[i], 40, {"--lang", "ja", "--screenshot", "shot.png"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_TRUE(ReadPng(g.dir / "shot.png", &shots[i]));
  }
  auto rowsThatDiffer = [&](const Picture& a, const Picture& b) {
    std::vector<int> rows;
    for (int y = 0; y < 480; y++)
      if (std::memcmp(a.At(0, y), b.At(0, y), 640 * 3) != 0) rows.push_back(y);
    return rows;
  };
  const std::vector<int> rebound = rowsThatDiffer(shots[0], shots[1]);
  ASSERT_FALSE(rebound.empty());
  EXPECT_GE(rebound.front(), 200);
  EXPECT_LT(rebound.back(), 220);
  const std::vector<int> pad = rowsThatDiffer(shots[0], shots[2]);
  ASSERT_FALSE(pad.empty());
  EXPECT_GE(pad.front(), 200);
  EXPECT_LT(pad.back(), 240);
  EXPECT_GE(pad.back(), 220);  // the options line too: Back, not F3
  const std::vector<int> touch = rowsThatDiffer(shots[0], shots[3]);
  ASSERT_FALSE(touch.empty());
  EXPECT_GE(touch.front(), 200);
  EXPECT_GE(touch.back(), 220);
  EXPECT_LT(touch.back(), 240);
  EXPECT_FALSE(rowsThatDiffer(shots[2], shots[3]).empty());
}

// The options screen by taps on the picture (the page's touch controls):
// a tap on the effects volume's "<" chooses the row and turns it down (its
// sound heard once), a tap on Back chooses it and a second leaves; then
// Enter on the title starts the game.
TEST(OptionsScreen, TapsChooseChangeAndLeave) {
  PlayFolder g("options_taps");
  g.WriteBothStages(Stage());
  // Cells of 20 x 16: the effects row (the third, from y 34) in line 4, its
  // "<" in column 15; Back (the last of 26 rows) in line 27, column 2.
  const std::string effects = "TOUCH TOUCH_TAP TOUCH_LINE_4 TOUCH_COLUMN_1 TOUCH_COLUMN_2 TOUCH_COLUMN_4 TOUCH_COLUMN_8";
  const std::string back = "TOUCH TOUCH_TAP TOUCH_LINE_1 TOUCH_LINE_2 TOUCH_LINE_8 TOUCH_LINE_16 TOUCH_COLUMN_2";
  const std::string input = "1 F3\n2\n4 " + effects + "\n5\n7 " + back + "\n8\n10 " + back + "\n11\n14 RETURN\n15\n";
  const PlayRun run = g.Run(input, 30);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.state["sounds"]["SeOk"], 1);
  EXPECT_EQ(run.state["gameMode"], 0);  // in the first world: the options screen was left
}

}  // namespace
