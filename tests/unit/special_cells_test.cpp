// The special cells: the hazard's hurt, and the switches and their scenes.
#include <gtest/gtest.h>

#include "player/player_step.h"
#include "stage/collision.h"
#include "world_fixture.h"

namespace {

// ---- The hazard ---------------------------------------------------------------

struct HazardTest : ::testing::Test, TwoWorlds {
  void SetUp() override {
    Start(40, 20);
    FillRow(&a, 15, 0, 39, 51);
    p.body.y = 320 - 25;
    ComboCount = 4;
  }
  int32_t Step() { return StepBody(nullptr, nullptr, nullptr, &p, &q, &a.map, &b.map, &e, &f); }
};

TEST_F(HazardTest, LandingHurtsThrowsUpAndGivesInvulnerability) {
  EXPECT_EQ(Step(), MoveLanded);
  EXPECT_EQ(p.body.hp, 80);
  EXPECT_EQ(p.body.vy, -10);
  EXPECT_EQ(p.body.air, Airborne);
  EXPECT_EQ(p.body.hurt, 1);
  EXPECT_EQ(p.body.invuln, InvulnFrames);
  EXPECT_EQ(ComboCount, 0);
  EXPECT_EQ(ComboBannerX, 360);
  // The recoil pushes away from the facing, in the frame of the hit too.
  EXPECT_EQ(p.body.x, 318);
}

TEST_F(HazardTest, WhileInvulnerableItIsGround) {
  p.body.invuln = 5;
  EXPECT_EQ(Step(), MoveLanded);
  EXPECT_EQ(p.body.hp, 100);
  EXPECT_EQ(p.body.hurt, 0);
}

TEST_F(HazardTest, StandingOnItHurtsAgainWhenInvulnerabilityRunsOut) {
  Frame();
  ASSERT_EQ(p.body.hp, 80);
  int frames = 0;
  while (p.body.hp == 80 && frames < 200) {
    Frame();
    frames++;
  }
  EXPECT_EQ(p.body.hp, 60);
  EXPECT_GE(frames, 70);
  EXPECT_LE(frames, 72);
}

TEST_F(HazardTest, AKillingHitLeavesZeroAndDeathMode) {
  p.body.hp = q.body.hp = 20;
  Frame();
  EXPECT_EQ(p.body.hp, 0);
  EXPECT_EQ(p.body.dead, 1);
  EXPECT_EQ(q.body.hp, 0);
  const int x = p.body.x;
  HoldKeys({VK_RIGHT});
  Frames(3);  // death mode: no input, no movement
  EXPECT_EQ(p.body.x, x);
  // The explosion runs 18 frames; then the dialog, answered at once.
  HoldKeys({'Y'});
  for (int frames = 0; p.body.dead != 0; frames++) {
    ASSERT_LT(frames, 20);
    Frame();
  }
  EXPECT_EQ(p.body.hp, 100);
}

// ---- Switches and their scenes ------------------------------------------------

// World A's map (60 x 20) holds the event marker of event 201 at row 4,
// column 30; world B's map holds switch 101 under its character.
struct SwitchSceneTest : ::testing::Test, TwoWorlds {
  int32_t eventCells[2], eventValues[2], hidden[3];
  StageMap savedA{}, savedB{};

  void SetUp() override {
    Start(60, 20);
    savedA = WorldMapA;
    savedB = WorldMapB;
    FillRow(&a, 15, 0, 59, 1);
    FillRow(&b, 15, 0, 59, 1);
    eventCells[0] = 4 * 60 + 30;
    eventValues[0] = 201;
    eventCells[1] = 4 * 60 + 50;
    eventValues[1] = 230;  // belongs to world B's events: never found in A
    a.map.eventCells = eventCells;
    a.map.eventValues = eventValues;
    a.map.eventCount = 2;
    // Gates in the view (rows 4 to 18, columns 20 to 40).
    a.at(14, 25) = 151;
    a.at(14, 26) = 152;
    // Hidden cells: group 1 in and out of the view, group 2 elsewhere.
    a.at(10, 22) = 1005;
    a.at(2, 58) = 1001;
    a.at(12, 5) = 2003;
    hidden[0] = 10 * 60 + 22;
    hidden[1] = 2 * 60 + 58;
    hidden[2] = 12 * 60 + 5;
    a.map.hiddenCells = hidden;
    a.map.hiddenCount = 3;
    WorldMapA = a.map;
    WorldMapB = b.map;
    b.at(15, 10) = 101;
    q.body.x = 10 * 32 + 16;
    q.body.y = 320 - 25;
  }
  void TearDown() override {
    WorldMapA = savedA;
    WorldMapB = savedB;
  }
};

TEST_F(SwitchSceneTest, ASwitchInWorldBOpensWorldAsGatesAndRevealsItsCells) {
  // World B's character is the active one here: it lands on switch 101.
  const int32_t result = StepBody(nullptr, nullptr, nullptr, &q, &p, &b.map, &a.map, &f, &e);
  EXPECT_EQ(result, MoveLanded);
  EXPECT_EQ(b.at(15, 10), 150);
  EXPECT_EQ(a.at(14, 25), 157);  // three raises of 2
  EXPECT_EQ(a.at(14, 26), 158);
  EXPECT_EQ(a.at(10, 22), 5);
  EXPECT_EQ(a.at(2, 58), 1);  // the reveal reaches beyond the view
  EXPECT_EQ(a.at(12, 5), 2003);
}

TEST_F(SwitchSceneTest, ThePressedSwitchRunsNothingAgain) {
  StepBody(nullptr, nullptr, nullptr, &q, &p, &b.map, &a.map, &f, &e);
  a.at(14, 25) = 151;
  q.body.vy = 0;
  EXPECT_EQ(StepBody(nullptr, nullptr, nullptr, &q, &p, &b.map, &a.map, &f, &e), 250);
  EXPECT_EQ(a.at(14, 25), 151);
}

TEST_F(SwitchSceneTest, TheScenesEnemiesArePutBackWhereTheyStand) {
  a.at(14, 35) = KindWalker;  // view column 15, view row 10, on the ground
  EXPECT_EQ(RunSwitchEvent(&p, &a.map, 201), 1);
  // Placed 50 pixels right of the cell's corner (x 530 in the view), it walks
  // 2 pixels left in each of the scene's 73 frames, to x 384: view column 12.
  EXPECT_EQ(a.at(14, 35), 0);
  EXPECT_EQ(a.at(14, 32), KindWalker);
}

// The scene keeps the 30 ms pace (and a little for reading the clock): 73
// frames without Enter, 13 with it.
TEST_F(SwitchSceneTest, EnterEndsTheHoldAtItsFirstFrame) {
  DWORD start = timeGetTime();
  RunSwitchEvent(&p, &a.map, 201);
  const DWORD whole = timeGetTime() - start;
  EXPECT_GE(whole, 72u * 30);
  EXPECT_LT(whole, 80u * 30);
  a.at(14, 25) = 151;
  HoldKeys({VK_RETURN});
  start = timeGetTime();
  RunSwitchEvent(&p, &a.map, 201);
  const DWORD cut = timeGetTime() - start;
  EXPECT_GE(cut, 12u * 30);
  EXPECT_LT(cut, 16u * 30);
  EXPECT_EQ(a.at(14, 25), 157);  // the gates rose all the same
}

TEST_F(SwitchSceneTest, AnEventWithoutItsMarkerDoesNothing) {
  EXPECT_EQ(RunSwitchEvent(&p, &a.map, 202), -100);
  EXPECT_EQ(RunSwitchEvent(&p, &a.map, 230), 1);  // the second marker is found too
  a.map.eventCount = 1;
  EXPECT_EQ(RunSwitchEvent(&p, &a.map, 230), -100);  // the count bounds the search
  EXPECT_EQ(a.at(10, 22), 1005);
}

// A marker near the map's left edge and its bottom: the view reaches beyond
// the map, which reads as empty and is never written.
TEST_F(SwitchSceneTest, AMarkerNearTheEdgesStaysInsideTheMap) {
  eventCells[0] = 17 * 60 + 2;
  a.at(16, 59) = 151;  // row-major just before the marker's view would wrap
  a.at(18, 1) = 153;
  EXPECT_EQ(RunSwitchEvent(&p, &a.map, 201), 1);
  EXPECT_EQ(a.at(16, 59), 151);
  EXPECT_EQ(a.at(18, 1), 159);
}

}  // namespace
