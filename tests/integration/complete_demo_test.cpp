// The recorded game in demos/complete.txt, replayed headless on the real game
// data: it must reach the goal, leave through the closing screen by itself,
// and do so the same way every time.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/game_runner.h"

namespace {

constexpr int FlipLimit = 100000;

std::string DemoPath() { return std::string(TW_SOURCE_DIR) + "/demos/complete.txt"; }

struct DemoRun {
  GameRun run;
  std::string state;
};

DemoRun ReplayDemo(const std::filesystem::path& scratch, const std::string& name) {
  const std::filesystem::path dump = scratch / (name + ".json");
  DemoRun r;
  r.run = RunGame(TW_GAME_DIR, {"--headless", "--input", DemoPath(), "--frames", std::to_string(FlipLimit),
                                "--dump-state", dump.string()});
  r.state = ReadText(dump);
  return r;
}

TEST(CompleteDemo, PlaysToTheGoalAndLeavesTheSameWayEveryTime) {
  const std::filesystem::path scratch = MakeGameFolder("complete_demo");
  const DemoRun first = ReplayDemo(scratch, "first");
  const DemoRun second = ReplayDemo(scratch, "second");
  std::filesystem::remove_all(scratch);

  ASSERT_EQ(first.run.exitCode, 0) << first.run.err;
  ASSERT_FALSE(first.state.empty());
  const nlohmann::json state = nlohmann::json::parse(first.state);
  // Enter on the closing screen ended the game, not the flip limit.
  EXPECT_LT(state["flips"].get<int>(), FlipLimit / 2);
  EXPECT_GT(state["frames"].get<int>(), 1000);
  // Both long worlds take three and a half minutes of play (7,000 flips or
  // more), played without a death: no continue (its sound) was needed.
  EXPECT_GE(state["flips"].get<int>(), 7000);
  EXPECT_LE(state["flips"].get<int>(), 12000);
  EXPECT_EQ(state["sounds"]["SeLvup"], 0);

  // The active character stands on the goal cell of its world.
  const int mode = state["gameMode"].get<int>();
  ASSERT_TRUE(mode == 0 || mode == 1) << mode;
  const nlohmann::json& world = state["worlds"][mode];
  const nlohmann::json& player = world["player"];
  const nlohmann::json& map = world["map"];
  EXPECT_EQ(player["air"], 0);
  EXPECT_EQ(player["dead"], 0);
  const int width = map["width"].get<int>(), height = map["height"].get<int>();
  const int column = player["x"].get<int>() / 32;
  const int rowBelowFeet = (player["y"].get<int>() + player["boxBottom"].get<int>() + 1) / 32 + height - 15;
  EXPECT_EQ(map["cells"][rowBelowFeet * width + column], 52) << "column " << column << ", row " << rowBelowFeet;

  EXPECT_EQ(second.run.exitCode, 0) << second.run.err;
  EXPECT_EQ(first.state, second.state);
}

}  // namespace
