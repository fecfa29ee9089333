// The two stages of the game folder, loaded with the game's own loader, and
// checked against what play needs of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "stage/stage_checks.h"
#include "stage/stage_file.h"

namespace {

bool Solid(int v) { return (v > 0 && v < 153) || v > 1000; }

struct World {
  const char* file;
  StageMap map{};
  int Cell(int r, int c) const { return map.cells[r * map.width + c]; }
};

// Both stages, loaded once by their game names from inside the game folder.
class GameStages : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(TW_GAME_DIR);
    for (World* w : {&A, &B}) loaded = LoadStageFile(&w->map, w->file) && loaded;
    std::filesystem::current_path(here);
  }
  static void TearDownTestSuite() { FreeStageMaps(&A.map, &B.map); }
  void SetUp() override { ASSERT_TRUE(loaded); }

  static World A, B;
  static bool loaded;
};

World GameStages::A{"stage\\fai_kansei.txt"};
World GameStages::B{"stage\\Magic1234.txt"};
bool GameStages::loaded = true;

// The map of event e: world A holds 201 to 224, world B 225 to 248.
const World& EventWorld(int e, const World& a, const World& b) { return e <= 224 ? a : b; }

TEST_F(GameStages, AreLongEnoughAndOfAHeightTheViewCanScroll) {
  for (World* w : {&A, &B}) {
    EXPECT_GE(w->map.width, 450) << w->file;
    EXPECT_GE(w->map.height, 15) << w->file;
    EXPECT_LE(w->map.height, 30) << w->file;
  }
}

TEST_F(GameStages, AreClosedAtTheBottomAndBothEnds) {
  for (World* w : {&A, &B}) {
    for (int c = 0; c < w->map.width; c++) EXPECT_TRUE(Solid(w->Cell(w->map.height - 1, c))) << w->file << " column " << c;
    for (int r = 0; r < w->map.height; r++) {
      EXPECT_TRUE(Solid(w->Cell(r, 0))) << w->file << " row " << r;
      EXPECT_TRUE(Solid(w->Cell(r, w->map.width - 1))) << w->file << " row " << r;
    }
  }
}

// Everything play needs of a stage: ground under the start, a goal,
// switches and markers that find each other, gates and hidden cells in
// their scenes, the limits.
TEST_F(GameStages, PassEveryCheckPlayNeeds) {
  StageFault faults[20];
  const int n = CheckStages(&A.map, &B.map, faults, 20);
  for (int i = 0; i < n && i < 20; i++) ADD_FAILURE() << DescribeStageFault(faults[i], false);
  EXPECT_EQ(n, 0);
}

TEST_F(GameStages, HoldThirtyToSixtyEnemiesOfBothKinds) {
  for (World* w : {&A, &B}) {
    int walkers = 0, throwers = 0;
    for (int i = 0; i < w->map.width * w->map.height; i++) {
      walkers += w->map.cells[i] == 301;
      throwers += w->map.cells[i] == 302;
    }
    EXPECT_GE(walkers, 1) << w->file;
    EXPECT_GE(throwers, 1) << w->file;
    EXPECT_GE(walkers + throwers, 30) << w->file;
    // Enemies live on in a table of 100; leave room for the random ones.
    EXPECT_LE(walkers + throwers, 60) << w->file;
  }
}

TEST_F(GameStages, HaveRunsOfSpikes) {
  for (World* w : {&A, &B}) {
    int runs = 0;
    for (int r = 0; r < w->map.height; r++)
      for (int c = 0, run = 0; c < w->map.width; c++) {
        run = w->Cell(r, c) == CellHazard ? run + 1 : 0;
        runs += run == 3;
      }
    EXPECT_GE(runs, 2) << w->file << ": runs of three spikes or more";
  }
}

// The worlds share one tile sheet, so they must differ in the tiles they use
// to be told apart at a glance: moss tops world A's ground, while world B is
// bare stone with barred windows (5 over 6) in its towers.
TEST_F(GameStages, LookDifferentWithTheSharedTiles) {
  auto count = [](const World& w, int v) {
    int n = 0;
    for (int i = 0; i < w.map.width * w.map.height; i++) n += w.map.cells[i] == v;
    return n;
  };
  EXPECT_GE(count(A, 2), 200);
  EXPECT_EQ(count(B, 2), 0);
  EXPECT_EQ(count(A, 5), 0);
  EXPECT_GE(count(B, 5), 10);
  for (int i = 0; i < B.map.width * B.map.height; i++) {
    if (B.map.cells[i] == 5) {
      EXPECT_EQ(B.map.cells[i + B.map.width], 6) << "window at cell " << i;
    }
  }
}

// The shafts of a world: two walls 2 or 3 free columns apart, side by side
// for `rows` rows or more; one per left wall.
int Shafts(const World& w, int rows) {
  int shafts = 0;
  for (int c = 0; c + 3 < w.map.width; c++) {
    bool found = false;
    for (int gap = 2; gap <= 3 && !found && c + gap + 1 < w.map.width; gap++)
      for (int r = 0, height = 0; r < w.map.height && !found; r++) {
        bool shaft = Solid(w.Cell(r, c)) && Solid(w.Cell(r, c + gap + 1));
        for (int k = 1; k <= gap; k++) shaft = shaft && !Solid(w.Cell(r, c + k));
        height = shaft ? height + 1 : 0;
        found = height >= rows;
      }
    shafts += found;
  }
  return shafts;
}

TEST_F(GameStages, EachHasShaftsToClimbByWallJumps) {
  for (World* w : {&A, &B}) {
    EXPECT_GE(Shafts(*w, 6), 1) << w->file << ": a tall one";
    EXPECT_GE(Shafts(*w, 4), 3) << w->file;
  }
}

struct Switch {
  const World* world;
  int r, c, event;
};

std::vector<Switch> Switches(const World& a, const World& b) {
  std::vector<Switch> out;
  for (const World* w : {&a, &b})
    for (int i = 0; i < w->map.width * w->map.height; i++)
      if (w->map.cells[i] >= CellSwitchFirst && w->map.cells[i] <= 148)
        out.push_back({w, i / w->map.width, i % w->map.width, w->map.cells[i] + 100});
  return out;
}

TEST_F(GameStages, EachWorldHasFiveSwitchesThreeOfThemForTheOtherWorld) {
  const std::vector<Switch> all = Switches(A, B);
  for (const World* w : {&A, &B}) {
    int own = 0, other = 0;
    for (const Switch& s : all)
      if (s.world == w) (&EventWorld(s.event, A, B) == w ? own : other)++;
    EXPECT_GE(own + other, 5) << w->file;
    EXPECT_GE(other, 3) << w->file;
  }
}

// Cells a body could ever pass through, from the start, in a map changed by
// some events: a flood through free cells. It lets bodies fly, so what it
// cannot reach no jump reaches either.
std::vector<bool> Reach(const World& w, const std::vector<int>& cells) {
  const int width = w.map.width, height = w.map.height;
  std::vector<bool> seen(cells.size());
  std::vector<int> todo = {(height - ViewRows + 8) * width + 10};
  while (!todo.empty()) {
    const int i = todo.back();
    todo.pop_back();
    if (seen[i] || Solid(cells[i])) continue;
    seen[i] = true;
    const int r = i / width, c = i % width;
    if (r > 0) todo.push_back(i - width);
    if (r + 1 < height) todo.push_back(i + width);
    if (c > 0) todo.push_back(i - 1);
    if (c + 1 < width) todo.push_back(i + 1);
  }
  return seen;
}

// A world's cells after the given events: gates in their views risen three
// times, hidden cells of their groups revealed.
std::vector<int> After(const World& w, const std::set<int>& events) {
  const StageMap& m = w.map;
  std::vector<int> cells(m.cells, m.cells + m.width * m.height);
  for (int k = 0; k < m.eventCount; k++) {
    const int e = m.eventValues[k];
    if (!events.count(e)) continue;
    const int r0 = m.eventCells[k] / m.width, c0 = m.eventCells[k] % m.width - 10;
    for (int r = r0; r < r0 + ViewRows; r++)
      for (int c = c0; c < c0 + 20; c++)
        if (cells[r * m.width + c] >= CellGateFirst && cells[r * m.width + c] <= CellGateLast) cells[r * m.width + c] += 6;
    for (int h = 0; h < m.hiddenCount; h++) {
      int& v = cells[m.hiddenCells[h]];
      if (v / 1000 == e - 200) v %= 1000;
    }
  }
  return cells;
}

bool StandsOn(const std::vector<bool>& reached, const World& w, int r, int c) {
  return r > 0 && reached[(r - 1) * w.map.width + c];
}

TEST_F(GameStages, GoalIsReachedOnlyBySwitchingWorlds) {
  std::vector<std::pair<const World*, int>> goals;
  for (const World* w : {&A, &B})
    for (int i = 0; i < w->map.width * w->map.height; i++)
      if (w->map.cells[i] == CellGoal) goals.push_back({w, i});
  ASSERT_FALSE(goals.empty());

  const std::vector<Switch> all = Switches(A, B);
  std::set<int> everything;
  for (const Switch& s : all) everything.insert(s.event);
  for (auto [w, goal] : goals) {
    // Everything the goal's own world can do for itself is not enough...
    std::set<int> own;
    for (const Switch& s : all)
      if (s.world == w) own.insert(s.event);
    const int r = goal / w->map.width, c = goal % w->map.width;
    EXPECT_FALSE(StandsOn(Reach(*w, After(*w, own)), *w, r, c)) << w->file;
    // ...while with the other world's switches pressed too, it is open.
    EXPECT_TRUE(StandsOn(Reach(*w, After(*w, everything)), *w, r, c)) << w->file;
  }
}

TEST_F(GameStages, EverySwitchCanBeReachedOnceTheWayIsOpen) {
  std::set<int> everything;
  for (const Switch& s : Switches(A, B)) everything.insert(s.event);
  for (const Switch& s : Switches(A, B)) {
    const std::vector<bool> reached = Reach(*s.world, After(*s.world, everything));
    EXPECT_TRUE(StandsOn(reached, *s.world, s.r, s.c)) << s.world->file << " switch for event " << s.event;
  }
}

}  // namespace
