// SPDX-License-Identifier: MIT
// The stage checks on a small pair that passes them, and each fault once.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "stage/stage_checks.h"
#include "stage/stage_file.h"
#include "stage/stage_text.h"

namespace {

using Rows = std::vector<std::vector<int32_t>>;

// 40 x 15 with ground on row 9 under the start. World A: a switch for event
// 201 on the ground, its marker on row 0 above column 20, a gate in its
// scene, the goal near the right end. World B: the ground alone.
struct Pair {
  Rows a, b;
  Pair() {
    for (Rows* w : {&a, &b}) {
      *w = Rows(15, std::vector<int32_t>(40, 0));
      for (int c = 0; c < 40; c++) (*w)[9][c] = 1;
      for (int r = 0; r < 9; r++) (*w)[r][0] = (*w)[r][39] = 1;
    }
    a[9][15] = 101;
    a[0][20] = 201;
    a[8][25] = 151;
    a[9][35] = 52;
  }
};

struct Loaded {
  StageMap a{}, b{};
  ~Loaded() { FreeStageMaps(&a, &b); }
};

void Load(const Rows& rows, StageMap* map) {
  std::vector<int32_t> cells;
  for (const auto& row : rows) cells.insert(cells.end(), row.begin(), row.end());
  const std::string text = FormatStageText(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()),
                                           cells.data());
  ASSERT_EQ(LoadStageText(map, text, "fixture"), 1) << LastStageFault();
}

std::vector<StageFault> Check(const Pair& p) {
  Loaded l;
  Load(p.a, &l.a);
  Load(p.b, &l.b);
  std::vector<StageFault> faults(8);
  faults.resize(std::min(CheckStages(&l.a, &l.b, faults.data(), 8), 8));
  return faults;
}

TEST(StageChecks, APairThatPlaysHasNoFault) { EXPECT_TRUE(Check(Pair{}).empty()); }

struct Case {
  const char* name;
  std::function<void(Pair&)> change;
  uint8_t code;
  int world, row, column;
};

TEST(StageChecks, FindEachFaultAtItsCell) {
  const Case cases[] = {
      {"no ground", [](Pair& p) { p.b[9][9] = p.b[9][10] = 0; }, FaultNoGround, 1, 14, 9},
      {"spikes under the start", [](Pair& p) { p.b[9][9] = p.b[9][10] = 51; }, FaultNoGround, 1, 9, 9},
      {"start in a wall", [](Pair& p) { p.a[8][9] = 1; }, FaultStartInWall, 0, 8, 9},
      {"no goal", [](Pair& p) { p.a[9][35] = 1; }, FaultNoGoal, 0, -1, -1},
      {"switch without its marker", [](Pair& p) { p.b[9][15] = 125; }, FaultSwitchUnmarked, 1, 9, 15},
      {"two switches", [](Pair& p) { p.b[9][17] = 101; }, FaultSwitchTwice, 1, 9, 17},
      {"marker without a switch", [](Pair& p) { p.a[9][15] = 1; }, FaultMarkerUnswitched, 0, 0, 20},
      {"marker in the other world", [](Pair& p) { p.b[0][20] = 201; }, FaultMarkerOtherWorld, 1, 0, 20},
      {"two markers", [](Pair& p) { p.a[0][22] = 201; }, FaultMarkerTwice, 0, 0, 22},
      {"scene below the map", [](Pair& p) { p.a[0][20] = 0, p.a[1][20] = 201; }, FaultMarkerAtEdge, 0, 1, 20},
      // The scene shows 21 columns but raises gates in its first 20.
      {"gate in the scene's last column", [](Pair& p) { p.a[8][30] = 152; }, FaultGateNeverOpens, 0, 8, 30},
      {"21 gates", [](Pair& p) { for (int c = 10; c <= 30; c++) p.a[5][c] = 151; p.a[5][30] = 0, p.a[6][12] = 151; },
       FaultTooManyGates, 0, 0, 20},
      {"hidden group without a scene", [](Pair& p) { p.a[9][30] = 2001; }, FaultHiddenNeverShown, 0, 9, 30},
      {"hidden cell outside its scene", [](Pair& p) { p.a[9][32] = 1001; }, FaultHiddenOutsideView, 0, 9, 32},
      {"101 enemies", [](Pair& p) { for (int i = 0; i < 101; i++) p.b[1 + i / 36][2 + i % 36] = 301 + i % 2; },
       FaultTooManyEnemies, 1, -1, -1},
      {"scene with nothing to do", [](Pair& p) { p.a[8][25] = 0; }, FaultEventDoesNothing, 0, 0, 20},
      {"too wide", [](Pair& p) { for (auto& row : p.b) row.resize(MaxStageColumns + 1, row[1]); },
       FaultTooLarge, 1, -1, -1},
  };
  for (const Case& c : cases) {
    Pair p;
    c.change(p);
    const std::vector<StageFault> faults = Check(p);
    ASSERT_EQ(faults.size(), 1u) << c.name << (faults.empty() ? "" : ": " + DescribeStageFault(faults[0], false));
    EXPECT_EQ(faults[0].code, c.code) << c.name << ": " << DescribeStageFault(faults[0], false);
    EXPECT_EQ(faults[0].world, c.world) << c.name;
    EXPECT_EQ(faults[0].row, c.row) << c.name;
    EXPECT_EQ(faults[0].column, c.column) << c.name;
  }
}

TEST(StageChecks, SayWhereAndWhatInBothLanguages) {
  const StageFault f{FaultSwitchUnmarked, 1, 9, 15, 225};
  EXPECT_EQ(DescribeStageFault(f, false), "world B, column 15, row 9: switch of event 225: the event has no marker");
  EXPECT_FALSE(DescribeStageFault(f, true).empty());
}

}  // namespace
