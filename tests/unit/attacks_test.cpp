// The sword attacks: their boxes, hits, damage and combos, the recoil, and
// the pictures the character is drawn with.
#include <gtest/gtest.h>

#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "player/player_attacks.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

const RECT SlashPictures[3] = {{0, 128, 64, 192}, {64, 128, 171, 192}, {180, 128, 277, 192}};

struct AttackTest : ::testing::Test {
  TestMap t;
  PlayerRecord p{};
  EnemyTable e{};
  void SetUp() override {
    MakeEmptyMap(&t, 60, 20);
    p = StartingPlayer();
    ComboCount = 0;
    ComboBannerX = 0;
  }
  // A one-pixel enemy at (x, y).
  EnemySlot& PointEnemy(int index, int x, int y) {
    EnemySlot& s = e.slots[index];
    s = EnemySlot{};
    s.kind = KindWalker;
    s.body.x = x;
    s.body.y = y;
    s.body.boxRight = 1;
    s.body.boxBottom = 1;
    s.body.hp = 100;
    return s;
  }
  // A wide enemy that stays under the attack however it is pushed.
  EnemySlot& WideEnemy(int x, int y) {
    EnemySlot& s = PointEnemy(0, x, y);
    s.body.boxLeft = -100;
    s.body.boxRight = 100;
    s.body.boxTop = -30;
    s.body.boxBottom = 30;
    return s;
  }
  void Attack(int8_t kind) {
    p.body.attack = kind;
    p.body.anim = 0;
  }
  // The frame driver's end-of-frame release while no attack runs.
  void ClearHitCounts() {
    for (EnemySlot& s : e.slots) s.hitsThisAttack = 0;
  }
};

TEST_F(AttackTest, TheSlashBoxFacingRight) {
  p.body.attack = AttackSlash;
  p.body.anim = 3;
  const int x = p.body.x, y = p.body.y;
  PointEnemy(0, x + 32, y);
  PointEnemy(1, x + 81, y + 10);
  PointEnemy(2, x + 31, y);
  PointEnemy(3, x + 82, y);
  PointEnemy(4, x + 40, y + 11);
  PointEnemy(5, x + 40, y - 1);
  EXPECT_EQ(AttackHitTest(&p, &e, &t.map, 0, 0, 50, 11, SlashPictures), 32);
  const int expected[6] = {1, 1, 0, 0, 0, 0};
  for (int i = 0; i < 6; i++) EXPECT_EQ(e.slots[i].hitsThisAttack, expected[i]) << i;
}

TEST_F(AttackTest, TheSlashBoxFacingLeftFollowsThePicture) {
  p.body.attack = AttackSlash;
  p.body.facing = -1;
  p.body.anim = 4;  // picture 1, 107 wide
  const int x = p.body.x, y = p.body.y;
  PointEnemy(0, x - 75, y);
  PointEnemy(1, x - 26, y);
  PointEnemy(2, x - 76, y);
  PointEnemy(3, x - 25, y);
  EXPECT_EQ(AttackHitTest(&p, &e, &t.map, 0, 0, 50, 11, SlashPictures), 75);
  const int expected[4] = {1, 1, 0, 0};
  for (int i = 0; i < 4; i++) EXPECT_EQ(e.slots[i].hitsThisAttack, expected[i]) << i;
}

TEST_F(AttackTest, TheFirstPictureNeverHits) {
  p.body.attack = AttackSlash;
  p.body.anim = 2;
  EnemySlot& s = PointEnemy(0, p.body.x + 40, p.body.y);
  AttackHitTest(&p, &e, &t.map, 0, 0, 50, 11, SlashPictures);
  EXPECT_EQ(s.body.hp, 100);
}

TEST_F(AttackTest, ASlashHitsAnEnemyTwiceAndCountsOneCombo) {
  EnemySlot& s = WideEnemy(p.body.x + 50, p.body.y);
  Attack(AttackSlash);
  for (int i = 0; i < 9; i++) DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(p.body.attack, AttackNone);
  EXPECT_EQ(s.body.hp, 90);
  EXPECT_EQ(s.hitsThisAttack, 2);
  EXPECT_EQ(ComboCount, 1);
  EXPECT_EQ(ComboBannerX, -400);
  EXPECT_EQ(s.body.hurt, 1);
  // Knocked back 8 pixels a hit, turned towards the attacker.
  EXPECT_EQ(s.body.x, p.body.x + 66);
  EXPECT_EQ(s.body.facing, -2);
  EXPECT_EQ(s.body.vx, -2);
  // A second slash, once the counters are cleared, hits twice more.
  ClearHitCounts();
  Attack(AttackSlash);
  for (int i = 0; i < 9; i++) DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(s.body.hp, 80);
  EXPECT_EQ(ComboCount, 2);
}

TEST_F(AttackTest, DamageGrowsWithTheSkillLevel) {
  const int expectedSlash[3] = {5, 7, 8};
  for (int level = 1; level <= 3; level++) {
    EnemySlot& s = WideEnemy(p.body.x + 50, p.body.y);
    p.skills[SkillSweep].level = level;
    Attack(AttackSweep);
    p.body.anim = 3;
    DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
    EXPECT_EQ(100 - s.body.hp, expectedSlash[level - 1]) << level;
  }
}

TEST_F(AttackTest, TheUpwardSlashLaunchesAndKeepsItUp) {
  p.skills[SkillRising].level = 2;
  EnemySlot& s = WideEnemy(p.body.x + 50, p.body.y);
  const int x = s.body.x;
  Attack(AttackRising);
  p.body.anim = 3;
  DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(s.body.vy, -14);
  EXPECT_EQ(s.body.air, 1);
  EXPECT_EQ(s.body.x, x);  // no push
  EXPECT_EQ(s.body.hp, 98);
  // Another slash on the enemy in the air: both hang.
  ClearHitCounts();
  Attack(AttackSlash);
  p.body.anim = 3;
  DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(s.body.vy, -1);
  EXPECT_EQ(p.body.vy, -1);
  EXPECT_EQ(p.body.air, Airborne);
  EXPECT_EQ(s.body.x, x);
}

TEST_F(AttackTest, TheThrustBouncesAndHitsInEveryFrameOfContact) {
  p.skills[SkillThrust].level = 3;
  p.body.air = Airborne;
  EnemySlot& s = WideEnemy(p.body.x, p.body.y + 20);
  Attack(AttackThrust);
  DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(p.body.anim, 7);
  EXPECT_EQ(s.body.hp, 100 - 16);
  EXPECT_EQ(p.body.vy, -14);
  EXPECT_EQ(p.body.air, Grounded);
  EXPECT_EQ(s.hitsThisAttack, 0);
  DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(s.body.hp, 100 - 32);
  EXPECT_EQ(p.body.attack, AttackThrust);
  EXPECT_EQ(ComboCount, 2);
}

TEST_F(AttackTest, ADyingEnemyIsNeverHit) {
  EnemySlot& s = WideEnemy(p.body.x + 50, p.body.y);
  s.body.dead = 1;
  s.reserved17 = 9;
  Attack(AttackSlash);
  for (int i = 0; i < 9; i++) DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(s.body.hp, 100);
  EXPECT_EQ(s.reserved17, 0);
  EXPECT_EQ(ComboCount, 0);
}

TEST_F(AttackTest, AKillingHitStillHurts) {
  EnemySlot& s = WideEnemy(p.body.x + 50, p.body.y);
  s.body.hp = 5;
  s.body.anim = 12;
  Attack(AttackSlash);
  for (int i = 0; i < 9; i++) DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(s.body.hp, 0);
  EXPECT_EQ(s.body.dead, 1);
  EXPECT_EQ(s.body.anim, 0);
  EXPECT_EQ(s.body.hurt, 1);
}

TEST_F(AttackTest, ARecoilLastsNineFrames) {
  p.body.hurt = 1;
  p.body.anim = 0;
  for (int i = 0; i < 8; i++) DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(p.body.hurt, 1);
  DrawPlayer(nullptr, &t.map, &p, nullptr, &e);
  EXPECT_EQ(p.body.hurt, 0);
  EXPECT_EQ(p.body.anim, 0);
}

// ---- Pictures -------------------------------------------------------------------

// Each picture of the sheet is filled with its own index.
struct PictureTest : AttackTest {
  DDSurface *screen = nullptr, *sheet = nullptr;
  void SetUp() override {
    AttackTest::SetUp();
    OpenTestDisplay();
    screen = MakeSurface(640, 480);
    sheet = MakeSurface(384, 384, TransparentIndex);
    FillRect(sheet, 0, 0, 64, 64, 1);         // standing
    FillRect(sheet, 128, 320, 192, 384, 2);   // recoil
    FillRect(sheet, 170, 64, 282, 128, 3);    // sweep, picture 2
    FillRect(sheet, 64, 320, 128, 384, 4);    // jumping
  }
  void TearDown() override {
    Release(screen);
    Release(sheet);
    CloseTestDisplay();
  }
  BYTE Pixel(int x, int y) { return PixelAt(screen, x, y); }
  void Clear() { FillRect(screen, 0, 0, 640, 480, 0); }
};

TEST_F(PictureTest, StandingRecoilAndJumpPictures) {
  p.body.anim = 1;
  DrawPlayer(screen, &t.map, &p, sheet, &e);
  EXPECT_EQ(Pixel(320 - 32, 263 - 32), 1);
  EXPECT_EQ(Pixel(320 + 31, 263 + 31), 1);
  EXPECT_EQ(Pixel(320 + 32, 263), 0);
  Clear();
  p.body.air = Airborne;
  DrawPlayer(screen, &t.map, &p, sheet, &e);
  EXPECT_EQ(Pixel(320, 263), 4);
  Clear();
  p.body.hurt = 1;
  DrawPlayer(screen, &t.map, &p, sheet, &e);
  EXPECT_EQ(Pixel(320, 263), 2);
}

TEST_F(PictureTest, AttackPicturesFacingLeftReachLeft) {
  p.body.facing = -1;
  Attack(AttackSweep);
  p.body.anim = 6;  // picture 2, 112 wide: its right edge 32 right of x
  DrawPlayer(screen, &t.map, &p, sheet, &e);
  EXPECT_EQ(Pixel(320 - 80, 263 - 32), 3);
  EXPECT_EQ(Pixel(320 + 31, 263), 3);
  EXPECT_EQ(Pixel(320 - 81, 263), 0);
}

TEST_F(PictureTest, AnInvulnerableCharacterBlinks) {
  p.body.anim = 1;
  p.body.invuln = 70;
  int shown = 0;
  for (int i = 0; i < 71; i++) {
    Clear();
    DrawPlayer(screen, &t.map, &p, sheet, &e);
    shown += Pixel(320, 263) == 1;
  }
  EXPECT_EQ(shown, 36);  // 70, 68, ... 2, 0
  EXPECT_EQ(p.body.invuln, 0);
}

TEST_F(PictureTest, TheViewScrollMovesThePicture) {
  p.body.anim = 1;
  t.map.scrollX = 100;
  t.map.scrollY = 20;
  DrawPlayer(screen, &t.map, &p, sheet, &e);
  EXPECT_EQ(Pixel(320 - 100 - 32, 263 + 20 - 32), 1);
}

}  // namespace
