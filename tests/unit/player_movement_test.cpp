// The character through the frame driver: running, jumping, the wall cling
// and jump, the action keys, and what every frame does to both worlds.
#include <gtest/gtest.h>

#include "app/random.h"
#include "world_fixture.h"

namespace {

// A 40 x 20 map with ground on row 15 (y 320) in both worlds; the character
// stands on it at x 320 (feet at y 319).
struct MovementTest : ::testing::Test, TwoWorlds {
  void SetUp() override {
    Start(40, 20);
    FillRow(&a, 15, 0, 39, 1);
    FillRow(&b, 15, 0, 39, 1);
    p.body.y = q.body.y = 320 - 25;
    Frame();  // settles in the standing pose
    EXPECT_EQ(p.body.anim, 1);
  }
  Body& B() { return p.body; }
};

TEST_F(MovementTest, RunningMovesSixPixelsAndTheViewFollows) {
  HoldKeys({VK_RIGHT});
  Frames(3);
  EXPECT_EQ(B().x, 338);
  EXPECT_EQ(a.map.scrollX, 18);
  EXPECT_EQ(B().facing, 1);
  HoldKeys({VK_LEFT});
  Frame();
  EXPECT_EQ(B().x, 332);
  EXPECT_EQ(B().facing, -1);
}

TEST_F(MovementTest, TheWalkCounterRunsOneToEightAndBackToZero) {
  HoldKeys({VK_RIGHT});
  int seen[10];
  for (int& s : seen) {
    Frame();
    s = B().anim;
  }
  const int expected[10] = {2, 3, 4, 5, 6, 7, 8, 0, 1, 2};
  for (int i = 0; i < 10; i++) EXPECT_EQ(seen[i], expected[i]) << i;
}

TEST_F(MovementTest, BothArrowsFromTheSameFrameGoRight) {
  HoldKeys({VK_RIGHT, VK_LEFT});
  Frames(3);
  EXPECT_EQ(B().x, 338);
}

TEST_F(MovementTest, RightPressedWhileLeftIsHeldKeepsGoingLeft) {
  HoldKeys({VK_LEFT});
  Frame();
  HoldKeys({VK_LEFT, VK_RIGHT});
  Frames(2);
  EXPECT_EQ(B().x, 302);
}

TEST_F(MovementTest, ReleasingLeftUnderRightPausesOneFrame) {
  HoldKeys({VK_LEFT});
  Frame();
  HoldKeys({VK_LEFT, VK_RIGHT});
  Frame();
  HoldKeys({VK_RIGHT});
  Frame();
  EXPECT_EQ(B().x, 308);
  Frame();
  EXPECT_EQ(B().x, 314);
}

TEST_F(MovementTest, AJumpRisesOneHundredTwentyPixelsAndLands) {
  HoldKeys({'Z'});
  Frame();
  EXPECT_EQ(B().air, Airborne);
  EXPECT_EQ(B().y, 295 - 15);
  EXPECT_EQ(p.jumpOriginX, 320);
  int highest = B().y;
  for (int i = 0; i < 40 && B().air != Grounded; i++) {
    Frame();
    highest = std::min(highest, B().y);
  }
  EXPECT_EQ(highest, 295 - 120);
  EXPECT_EQ(B().air, Grounded);
  EXPECT_EQ(B().y, 295);
  EXPECT_EQ(p.jumpOriginX, 0);
  // Z still held: no second jump until it is let go.
  Frames(3);
  EXPECT_EQ(B().y, 295);
  HoldKeys({});
  Frame();
  HoldKeys({'Z'});
  Frame();
  EXPECT_EQ(B().air, Airborne);
}

TEST_F(MovementTest, ACeilingEndsTheRise) {
  FillRow(&a, 12, 0, 39, 1);  // y 224 to 255; the head is at 267
  HoldKeys({'Z'});
  Frame();
  EXPECT_EQ(B().y, 256 + 28);
  EXPECT_EQ(B().vy, 0);
}

// A wall on column 5 (x 160 to 191) from the top down to the ground.
struct ClingTest : MovementTest {
  void SetUp() override {
    MovementTest::SetUp();
    FillColumn(&a, 5, 0, 14, 1);
    p.body.x = 230;
  }
  // Jumps with Left held until the box rests against the wall, then lets
  // go for the one frame the direction latch needs before Right counts.
  void JumpToTheWall() {
    HoldKeys({'Z', VK_LEFT});
    Frame();
    HoldKeys({VK_LEFT});
    while (B().x + B().boxLeft > 192) Frame();
    HoldKeys({});
    Frame();
  }
};

TEST_F(ClingTest, PressingAwayFromTheWallClings) {
  JumpToTheWall();
  ASSERT_EQ(p.jumpOriginX, 224);
  const int x = B().x, y = B().y;
  HoldKeys({VK_RIGHT});
  Frame();
  EXPECT_EQ(B().air, WallCling);
  EXPECT_EQ(B().x, x);
  EXPECT_EQ(B().facing, 1);
  const int clungAt = B().y;
  EXPECT_LE(clungAt, y);
  Frames(5);  // held: it stays
  EXPECT_EQ(B().y, clungAt);
  EXPECT_EQ(B().air, WallCling);
  EXPECT_EQ(B().anim, 0);
}

TEST_F(ClingTest, LettingGoFallsAndForbidsJumpAndCling) {
  JumpToTheWall();
  HoldKeys({VK_RIGHT});
  Frame();
  ASSERT_EQ(B().air, WallCling);
  HoldKeys({});
  Frame();
  EXPECT_EQ(B().air, ClingFall);
  HoldKeys({'Z'});
  Frame();
  EXPECT_EQ(B().air, ClingFall);
  HoldKeys({VK_LEFT});
  Frame();
  HoldKeys({});
  Frame();
  HoldKeys({VK_RIGHT});
  Frame();
  EXPECT_EQ(B().air, ClingFall);
}

TEST_F(ClingTest, ZFromTheClingJumpsAgain) {
  JumpToTheWall();
  HoldKeys({VK_RIGHT});
  Frame();
  const int x = B().x;
  HoldKeys({VK_RIGHT, 'Z'});
  Frame();
  EXPECT_EQ(B().air, Airborne);
  EXPECT_EQ(p.jumpOriginX, x);
  EXPECT_EQ(B().vy, -15);
}

TEST_F(ClingTest, AJumpStartedNearTheWallNeverClings) {
  p.body.x = 205;  // gap of 3
  Frame();
  HoldKeys({'Z'});
  Frame();
  HoldKeys({VK_LEFT});
  Frame();
  HoldKeys({});
  Frame();
  HoldKeys({VK_RIGHT});
  Frame();
  EXPECT_EQ(B().air, Airborne);
  EXPECT_GT(B().x, 205);
}

// Up a shaft between column 5 and column 11 (x 192 to 351 free): cling on
// the left wall, jump off it towards the right wall, cling there.
TEST_F(ClingTest, WallJumpsUpAShaft) {
  FillColumn(&a, 11, 0, 14, 1);
  JumpToTheWall();
  HoldKeys({VK_RIGHT});
  Frame();
  ASSERT_EQ(B().air, WallCling);
  const int clungAt = B().y;
  HoldKeys({VK_RIGHT, 'Z'});
  Frame();
  EXPECT_EQ(B().air, Airborne);
  HoldKeys({VK_RIGHT});
  while (B().x + B().boxRight < 351) Frame();
  HoldKeys({});
  Frame();
  HoldKeys({VK_LEFT});
  Frame();
  EXPECT_EQ(B().air, WallCling);
  EXPECT_EQ(B().x + B().boxRight, 351);
  EXPECT_LT(B().y, clungAt);  // higher than the first cling
  HoldKeys({VK_LEFT, 'Z'});
  Frame();
  EXPECT_EQ(B().air, Airborne);
  EXPECT_EQ(p.jumpOriginX, B().x);
}

// Against the wall in the air, 20 or 40 pixels above the floor: the probe
// 32 pixels below the feet finds the floor only in the first case.
TEST_F(ClingTest, TheFloorProbeForbidsAClingNearTheGround) {
  for (int height : {20, 40}) {
    p.body.x = 202;
    p.body.y = 295 - height;
    p.body.air = Airborne;
    p.body.vy = 0;
    p.jumpOriginX = 230;
    DirectionLatch = 0;
    HoldKeys({VK_RIGHT});
    Frame();
    if (height == 20) {
      EXPECT_NE(B().air, WallCling);
      EXPECT_EQ(B().x, 208);
    } else {
      EXPECT_EQ(B().air, WallCling);
      EXPECT_EQ(B().x, 202);
    }
  }
}

TEST_F(MovementTest, WalkingOffALedgeFallsWithoutCling) {
  FillRow(&a, 15, 12, 39, 0);
  FillColumn(&a, 15, 0, 14, 1);
  p.body.x = 370;
  Frame();
  HoldKeys({VK_LEFT});
  while (B().air == Grounded) Frame();
  EXPECT_EQ(B().air, Airborne);
  EXPECT_EQ(p.jumpOriginX, 0);
  FillColumn(&a, 10, 0, 14, 1);
  for (int i = 0; i < 3; i++) Frame();
  HoldKeys({VK_RIGHT});
  Frame();
  EXPECT_NE(B().air, WallCling);
}

// ---- The action keys --------------------------------------------------------

TEST_F(MovementTest, AHeldXMakesOneAttack) {
  HoldKeys({'X'});
  Frame();
  EXPECT_EQ(B().attack, AttackSlash);
  Frames(8);
  EXPECT_EQ(B().attack, AttackNone);
  Frames(5);
  EXPECT_EQ(B().attack, AttackNone);
  HoldKeys({});
  Frame();
  HoldKeys({'X'});
  Frame();
  EXPECT_EQ(B().attack, AttackSlash);
}

TEST_F(MovementTest, CStartsTheSweepAndZIsIgnoredMeanwhile) {
  HoldKeys({'C', 'Z'});
  Frame();
  EXPECT_EQ(B().attack, AttackSweep);
  EXPECT_EQ(B().air, Grounded);
}

TEST_F(MovementTest, UpAndDownNeedTheirSkills) {
  HoldKeys({VK_UP, 'X'});
  Frame();
  EXPECT_EQ(B().attack, AttackSlash);
  Frames(9);
  HoldKeys({});
  Frame();
  p.skills[SkillRising].level = 1;
  p.skills[SkillThrust].level = 1;
  HoldKeys({VK_UP, 'X'});
  Frame();
  EXPECT_EQ(B().attack, AttackRising);
  Frames(9);
  HoldKeys({});
  Frame();
  HoldKeys({'Z'});
  Frame();
  HoldKeys({VK_UP, VK_DOWN, 'X'});
  Frame();
  EXPECT_EQ(B().attack, AttackThrust);
}

TEST_F(MovementTest, TheOppositeArrowDuringAnAttackTurnsAndMoves) {
  HoldKeys({'X'});
  Frame();
  HoldKeys({'X', VK_LEFT});
  Frame();
  EXPECT_EQ(B().attack, AttackSlash);
  EXPECT_EQ(B().facing, -1);
  EXPECT_EQ(B().x, 314);
}

TEST_F(MovementTest, TheThrustLastsUntilLanding) {
  p.skills[SkillThrust].level = 1;
  HoldKeys({'Z'});
  Frame();
  HoldKeys({VK_DOWN, 'X'});
  Frames(10);
  EXPECT_EQ(B().attack, AttackThrust);
  EXPECT_EQ(B().anim, 7);
  HoldKeys({});
  while (B().air != Grounded) Frame();
  EXPECT_EQ(B().attack, AttackNone);
}

TEST_F(MovementTest, TheOtherWorldsCharacterIsSteppedToo) {
  q.body.y -= 100;
  Frame();
  EXPECT_EQ(q.body.vy, 1);
  Frames(20);
  EXPECT_EQ(q.body.y, 295);
  EXPECT_EQ(b.map.scrollY, 0);
}

TEST_F(MovementTest, NoFrameRunsWithinThirtyMilliseconds) {
  const uint32_t frames = FramesOfPlay;
  const int x = B().x;
  HoldKeys({VK_RIGHT});
  for (int i = 0; i < 25; i++) RunFrame(&p, &q, &e, &f, &a.map, &b.map);
  EXPECT_EQ(FramesOfPlay, frames);
  EXPECT_EQ(B().x, x);
}

TEST_F(MovementTest, HitPointsAreSharedAtTheEndOfAFrame) {
  q.body.hp = 40;
  Frame();
  EXPECT_EQ(B().hp, 40);
  B().hp = 30;
  Frame();
  EXPECT_EQ(q.body.hp, 30);
}

TEST_F(MovementTest, TheOtherWorldRollsItsSpawnEveryFrameAndTheActiveOnlyOnBackspace) {
  // Enough frames for the one-in-a-thousand roll to come up in world B; the
  // enemies it brings must not end the game meanwhile.
  p.body.invuln = q.body.invuln = 1000000;
  for (int i = 0; i < 4000; i++) Frame();
  int active = 0, other = 0;
  for (const EnemySlot& s : e.slots) active += s.kind != 0;
  for (const EnemySlot& s : f.slots) other += s.kind != 0;
  EXPECT_EQ(active, 0);
  EXPECT_GT(other, 0);
}

int Occupied(const EnemyTable& t) {
  int n = 0;
  for (const EnemySlot& s : t.slots) n += s.kind != 0;
  return n;
}

TEST_F(MovementTest, BackspaceRollsTheActiveWorldsSpawnFirst) {
  HoldKeys({VK_BACK});
  SeedForLuckyRoll();
  Frame();
  EXPECT_EQ(Occupied(e), 1);
  EXPECT_EQ(Occupied(f), 0);
  HoldKeys({});
  SeedForLuckyRoll();
  Frame();
  EXPECT_EQ(Occupied(e), 1);
  EXPECT_EQ(Occupied(f), 1);
}

}  // namespace
