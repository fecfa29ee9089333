// MoveBody against small maps: floors, ceilings, walls, the map's edges,
// switches and special cells; and the box and distance tests.
#include <gtest/gtest.h>

#include "enemy/enemy_table.h"
#include "stage/collision.h"
#include "world_fixture.h"

namespace {

// A 30 x 20 map: its bottom 15 rows (5 to 19) are the band y counts in, so
// map row r begins at y = 32 * (r - 5).
constexpr int Band = 5;
int RowTop(int row) { return 32 * (row - Band); }

Body CharacterBody(int x, int y) {
  PlayerRecord p = StartingPlayer();
  p.body.x = x;
  p.body.y = y;
  return p.body;
}

// Feet on the last pixel row above map row `row`.
Body StandingOn(int row, int x) { return CharacterBody(x, RowTop(row) - 1 - 24); }

struct MoveBodyTest : ::testing::Test {
  TestMap t;
  void SetUp() override {
    MakeEmptyMap(&t, 30, 20);
    FillRow(&t, 15, 0, 29, 1);
  }
};

TEST_F(MoveBodyTest, StandingOnGroundLandsWithoutMoving) {
  Body b = StandingOn(15, 100);
  b.vy = 5;
  b.air = Airborne;
  const int y = b.y;
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 1, 0), MoveLanded);
  EXPECT_EQ(b.y, y);
  EXPECT_EQ(b.vy, 0);
  EXPECT_EQ(b.air, Grounded);
}

TEST_F(MoveBodyTest, FallStopsOnTheRowAboveTheCell) {
  Body b = StandingOn(15, 100);
  b.y -= 20;
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 30, 0), MoveLanded);
  EXPECT_EQ(b.y + b.boxBottom, RowTop(15) - 1);
}

TEST_F(MoveBodyTest, CeilingStopsTheTopBelowTheCellAndStopsTheRise) {
  FillRow(&t, 10, 0, 29, 2);
  Body b = CharacterBody(100, RowTop(11) + 28 + 5);  // top 5 pixels below the ceiling row
  b.vy = -15;
  EXPECT_EQ(MoveBody(&b, &t.map, 0, -15, 0), MoveCeiling);
  EXPECT_EQ(b.y + b.boxTop, RowTop(11));
  EXPECT_EQ(b.vy, 0);
}

TEST_F(MoveBodyTest, WallsShortenTheRunToTheRoomLeft) {
  FillColumn(&t, 10, 0, 19, 1);
  FillColumn(&t, 4, 0, 19, 1);
  Body right = StandingOn(15, 320 - 10 - 3 - 1 + 0);  // right edge 3 pixels from column 10
  ASSERT_EQ(right.x + right.boxRight, 320 - 4);
  EXPECT_EQ(MoveBody(&right, &t.map, 6, 0, 0), MoveWallRight);
  EXPECT_EQ(right.x + right.boxRight, 319);

  Body left = StandingOn(15, 160 + 10 + 3);  // left edge 3 pixels right of column 4
  EXPECT_EQ(MoveBody(&left, &t.map, -6, 0, 0), MoveWallLeft);
  EXPECT_EQ(left.x + left.boxLeft, 160);
}

TEST_F(MoveBodyTest, ABoxReachingTheMapBottomIsNeverStoppedSideways) {
  FillRow(&t, 15, 0, 29, 0);
  FillColumn(&t, 10, 0, 19, 1);
  Body b = CharacterBody(300, 480 - 24);  // bottom exactly at 480
  EXPECT_EQ(MoveBody(&b, &t.map, 20, 0, 0), MoveFree);
  EXPECT_EQ(b.x, 320);
  // Below the map a fall goes on without looking at cells.
  b.y = 600;
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 30, 0), MoveNoFloor);
  EXPECT_EQ(b.y, 630);
}

TEST_F(MoveBodyTest, WithAFallTheVerticalOutcomeIsReported) {
  FillColumn(&t, 10, 0, 14, 1);
  Body b = StandingOn(15, 320 - 11);
  b.y -= 50;
  EXPECT_EQ(MoveBody(&b, &t.map, 6, 10, 0), MoveNoFloor);
  EXPECT_EQ(b.x, 309);  // the wall still held it
}

TEST_F(MoveBodyTest, OnlyTheCharacterMovesTheView) {
  Body b = StandingOn(15, 100);
  MoveBody(&b, &t.map, 6, 0, 1);
  EXPECT_EQ(t.map.scrollXTotal, 6);
  EXPECT_EQ(t.map.scrollX, 6);
  MoveBody(&b, &t.map, 6, 0, 0);
  EXPECT_EQ(t.map.scrollXTotal, 6);
}

TEST_F(MoveBodyTest, TheCharacterPressesSwitchesAndEnemiesDoNot) {
  t.at(15, 3) = 101;
  Body b = StandingOn(15, 3 * 32 + 16);
  b.y -= 1;
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 2, 0), MoveLanded);
  EXPECT_EQ(t.at(15, 3), 101);
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 2, 1), 201);
  EXPECT_EQ(t.at(15, 3), 150);
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 2, 1), 250);
}

TEST_F(MoveBodyTest, HazardAndGoalAreReported) {
  t.at(15, 3) = 51;
  t.at(15, 8) = 52;
  Body hazard = StandingOn(15, 3 * 32 + 16);
  EXPECT_EQ(MoveBody(&hazard, &t.map, 0, 1, 1), MoveHazard);
  Body goal = StandingOn(15, 8 * 32 + 16);
  EXPECT_EQ(MoveBody(&goal, &t.map, 0, 1, 1), MoveGoal);
}

TEST_F(MoveBodyTest, StraddlingTwoCellsTheLeftOneCounts) {
  t.at(15, 4) = 51;
  Body hazardRight = StandingOn(15, 4 * 32);  // box from 118 to 138: columns 3 and 4
  EXPECT_EQ(MoveBody(&hazardRight, &t.map, 0, 1, 1), MoveLanded);
  t.at(15, 3) = 51;
  t.at(15, 4) = 1;
  Body hazardLeft = StandingOn(15, 4 * 32);
  EXPECT_EQ(MoveBody(&hazardLeft, &t.map, 0, 1, 1), MoveHazard);
}

TEST_F(MoveBodyTest, SolidValues) {
  EXPECT_FALSE(IsSolidCell(0));
  EXPECT_TRUE(IsSolidCell(1));
  EXPECT_TRUE(IsSolidCell(152));
  EXPECT_FALSE(IsSolidCell(153));
  EXPECT_FALSE(IsSolidCell(1000));
  EXPECT_TRUE(IsSolidCell(1001));
  EXPECT_FALSE(IsSolidCell(-5));
  FillRow(&t, 15, 0, 29, 1000);
  Body b = StandingOn(15, 100);
  EXPECT_EQ(MoveBody(&b, &t.map, 0, 1, 0), MoveNoFloor);
}

// Cells beyond the map read as empty: a row-major neighbour is never seen
// through the left or right edge, nor anything above or below the map.
TEST_F(MoveBodyTest, BeyondTheMapIsEmpty) {
  FillColumn(&t, 29, 0, 19, 1);  // the last column: its cells precede column 0 of the next row
  Body left = StandingOn(15, 12);
  EXPECT_EQ(MoveBody(&left, &t.map, -6, 0, 0), MoveFree);
  EXPECT_EQ(left.x, 6);
  FillColumn(&t, 0, 0, 19, 1);
  FillColumn(&t, 29, 0, 19, 0);
  Body right = StandingOn(15, 30 * 32 - 12);
  EXPECT_EQ(MoveBody(&right, &t.map, 6, 0, 0), MoveFree);
  Body high = CharacterBody(100, -10000);
  EXPECT_EQ(MoveBody(&high, &t.map, 0, -15, 0), MoveFree);
  EXPECT_EQ(MoveBody(&high, &t.map, -6, 0, 0), MoveFree);
  FillRow(&t, 15, 0, 29, 0);
  Body low = CharacterBody(100, 480 - 24 - 5);  // falls from inside the map to below it
  EXPECT_EQ(MoveBody(&low, &t.map, 0, 30, 0), MoveNoFloor);
}

TEST(RectsOverlapTest, EdgesThatOnlyTouchDoNotOverlap) {
  EXPECT_EQ(RectsOverlap(0, 0, 10, 10, 10, 0, 10, 10), 0);
  EXPECT_EQ(RectsOverlap(0, 0, 10, 10, 9, 9, 10, 10), 1);
  EXPECT_EQ(RectsOverlap(0, 0, 0, 10, 0, 0, 10, 10), 0);
  EXPECT_EQ(RectsOverlap(5, 5, 1, 1, 0, 0, 10, 10), 1);
  // Far edges beyond the int32 range do not wrap round.
  EXPECT_EQ(RectsOverlap(INT32_MAX - 5, 0, 10, 10, 0, 0, 10, 10), 0);
  EXPECT_EQ(RectsOverlap(INT32_MAX - 5, 0, 10, 10, INT32_MAX - 1, 5, 10, 10), 1);
}

TEST(WithinRadiusTest, ExactlyRApartIsWithin) {
  Body b{};
  EnemySlot e{};
  b.x = 0;
  b.y = 0;
  e.body.x = 300;
  e.body.y = 400;
  EXPECT_EQ(WithinRadius(&b, &e, 500), 1);
  EXPECT_EQ(WithinRadius(&b, &e, 499), 0);
  // Far apart is far, however far.
  e.body.x = 2000000000;
  EXPECT_EQ(WithinRadius(&b, &e, 350), 0);
  b.x = b.y = INT32_MIN;
  e.body.x = e.body.y = INT32_MAX;
  EXPECT_EQ(WithinRadius(&b, &e, 350), 0);
}

}  // namespace
