// The walker and the thrower: walking, turning, falling, the throw with its
// timings and its aim, contact, death, and the explosion they share.
#include <gtest/gtest.h>

#include <cstring>

#include "enemy/coins.h"
#include "enemy/enemy_behaviour.h"
#include "enemy/enemy_table.h"
#include "enemy/explosion.h"
#include "gfx/hud.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

uint32_t Plays(const char* name) {
  for (int i = 0; i < SoundBankSize; i++)
    if (std::strcmp(SoundBankNames[i], name) == 0) return SoundPlayCounts[i];
  return 0;
}

int CoinsOut() {
  int n = 0;
  for (const CoinEntry& c : Coins.entries) n += c.kind != 0;
  return n;
}

// A 60 x 20 map whose band starts at row 5; ground on row 15 (y 320). The
// character stands far off unless a test brings it near.
struct EnemyTest : ::testing::Test {
  TestMap t;
  PlayerRecord p{};
  EnemyTable e{};
  void SetUp() override {
    MakeEmptyMap(&t, 60, 20);
    FillRow(&t, 15, 0, 59, 1);
    p = StartingPlayer();
    p.body.x = 1800;
    p.body.y = 295;  // on the ground
    Coins = CoinTable{};
    ComboCount = 4;
    ComboBannerX = 0;
  }
  EnemySlot& Spawn(int32_t kind, int x, int y) {
    EnemySlot* s = &e.slots[0];
    while (s->kind != 0) s++;
    int32_t holder = kind;
    SpawnEnemy(&e, &t.map, &holder, 0, 0);
    s->body.x = x;
    s->body.y = y;
    return *s;
  }
  EnemySlot& Walker(int x) { return Spawn(KindWalker, x, 294); }   // standing on the ground
  EnemySlot& Thrower(int x) { return Spawn(KindThrower, x, 287); }
  void Frame() { UpdateEnemies(nullptr, &e, &t.map, &p); }
};

TEST_F(EnemyTest, AWalkerTurnsAtAWallAndWalksOffALedge) {
  FillRow(&t, 15, 31, 59, 0);     // the ground ends with column 30
  FillColumn(&t, 10, 13, 14, 1);  // a wall
  EnemySlot& w = Walker(400);
  for (int i = 0; i < 14; i++) Frame();
  EXPECT_EQ(w.body.x, 372);  // its left edge against the wall
  EXPECT_EQ(w.body.facing, -2);
  Frame();
  EXPECT_EQ(w.body.x, 372);
  EXPECT_EQ(w.body.vx, 2);
  EXPECT_EQ(w.body.facing, 2);
  while (w.body.y == 294) Frame();
  EXPECT_EQ(w.body.x, 1014);  // a step after its whole box passed the ledge
  for (int vy = 2; vy < 6; vy++) {
    Frame();
    EXPECT_EQ(w.body.vy, vy);
  }
  EXPECT_EQ(w.body.vx, 2);
}

TEST_F(EnemyTest, ContactHurtsOnlyWhileTheCharacterIsNotInvulnerable) {
  EnemySlot& w = Walker(p.body.x + 20);
  w.body.vx = 0;
  p.body.attack = AttackSlash;
  const uint32_t hits = Plays("SeHit");
  Frame();
  EXPECT_EQ(p.body.hp, 95);
  EXPECT_EQ(p.body.invuln, 70);
  EXPECT_EQ(p.body.attack, AttackNone);
  EXPECT_EQ(ComboCount, 0);
  EXPECT_EQ(ComboBannerX, 360);
  EXPECT_EQ(Plays("SeHit"), hits + 1);
  p.body.invuln = 1;
  Frame();
  EXPECT_EQ(p.body.hp, 95);
  p.body.invuln = 0;
  w.kind = 0;
  Thrower(p.body.x + 30).body.vx = 0;  // its collision box touches
  Frame();
  EXPECT_EQ(p.body.hp, 90);
}

TEST_F(EnemyTest, AWalkerExplodesForEighteenFramesThenThrowsThreeCoins) {
  EnemySlot& w = Walker(600);
  ApplyDamage(&w.body, 100);
  const uint32_t booms = Plays("SeExplode");
  for (int i = 0; i < 17; i++) Frame();
  EXPECT_EQ(w.kind, KindWalker);
  EXPECT_EQ(w.body.x, 600);  // no walking while dying
  Frame();
  EXPECT_EQ(w.kind, 0);
  EXPECT_EQ(Plays("SeExplode"), booms + 1);
  ASSERT_EQ(CoinsOut(), 3);
  for (int i = 0; i < 3; i++) {
    EXPECT_EQ(Coins.entries[i].vx, i - 1);
    EXPECT_EQ(Coins.entries[i].y, 294);
  }
}

// Sighted in frame 0: pose 4 in frames 0 to 3, pose 5 in 4 to 7, the shot
// in frame 8 with the throw pose in its first 5 frames; the burst lasts 18
// frames, and the next sighting comes in the frame after it.
TEST_F(EnemyTest, TheThrowersTimingsFromSightingToBurst) {
  EnemySlot& s = Thrower(600);
  p.body.x = 700;
  p.body.invuln = 100000;  // the shot passes the character and strikes the ground
  const uint32_t throws = Plays("SeFlowerAttack");
  Frame();  // walks its step, then sees
  const int x = s.body.x;
  for (int frame = 0; frame < 8; frame++) {
    if (frame > 0) Frame();
    EXPECT_EQ(s.body.anim / 8, frame < 4 ? 4 : 5) << frame;
    EXPECT_EQ(s.body.x, x);  // stands through its wind-up
  }
  Frame();
  EXPECT_EQ(s.body.attack, ThrowFlight);
  EXPECT_EQ(s.body.facing, 2);
  EXPECT_EQ(Plays("SeFlowerAttack"), throws + 1);
  for (int frame = 9; frame < 13; frame++) {
    Frame();
    EXPECT_EQ(s.body.anim, 32) << frame;
  }
  // Walking on after the throw pose: the count restarts at once.
  while (s.body.attack == ThrowFlight) {
    Frame();
    if (s.body.attack == ThrowFlight) {
      EXPECT_LT(s.body.anim, 32);
    }
  }
  int burst = 0;
  while (s.body.attack == ThrowBurst) {
    burst++;
    Frame();
  }
  EXPECT_EQ(burst, 17);  // with the frame of the strike, 18 explosion frames
  EXPECT_EQ(s.throwPoseDone, 0);
  Frame();
  EXPECT_EQ(s.body.attack, ThrowWindUp);
}

struct AimCase {
  int dx, dy;
  double shotVX;
  int8_t facing;  // after the aim, from +2
};

TEST_F(EnemyTest, TheAimedShot) {
  const AimCase cases[] = {
      {84, 0, 84.0 * 41 / 42 / 42, 2},       // level: the arc comes back down 43 steps on
      {42, 10, (41 - 9.0 / 21) / 42, 2},    // below
      {-42, -300, -1.5, -2},                // above the arc's top: its last rising step
      {0, -300, 0, 2},                      // straight above: keeps its facing
  };
  for (const AimCase& c : cases) {
    e = EnemyTable{};
    EnemySlot& s = Thrower(600);
    s.body.vx = 0;
    s.body.facing = 2;
    s.body.attack = ThrowLaunch;
    s.throwPoseDone = 1;
    p.body.x = 600 + c.dx;
    p.body.y = 287 + c.dy;
    Frame();
    EXPECT_NEAR(s.shotVX, c.shotVX, 1e-12) << c.dx << "," << c.dy;
    EXPECT_EQ(s.body.facing, c.facing);
    EXPECT_EQ(s.shotVY, 20);  // lowered before the first step
    EXPECT_DOUBLE_EQ(s.shotY, 287 - 20);
    EXPECT_DOUBLE_EQ(s.shotX, 600 + c.shotVX);
  }
}

// Its 18th step takes it 207 pixels up, where the probe's top comes flush
// under the cells of row 6 (y 32 to 63).
TEST_F(EnemyTest, AShotThatMeetsACeilingBurstsThere) {
  FillRow(&t, 6, 0, 59, 1);
  EnemySlot& s = Thrower(600);
  s.body.attack = ThrowLaunch;
  s.throwPoseDone = 1;
  p.body.x = 700;
  p.body.invuln = 100000;
  for (int i = 0; i < 17; i++) {
    Frame();
    ASSERT_EQ(s.body.attack, ThrowFlight) << i;
  }
  Frame();
  EXPECT_EQ(s.body.attack, ThrowBurst);
  EXPECT_EQ(s.throwPoseDone, 0);
  EXPECT_EQ(s.shotY, 287 - 207);
  EXPECT_EQ(s.shotBlastTick, 1);
}

TEST_F(EnemyTest, AThrowerKilledInItsWindUpStillThrowsAndWaitsForTheBurst) {
  EnemySlot& s = Thrower(600);
  p.body.x = 700;
  p.body.invuln = 100000;
  Frame();
  ApplyDamage(&s.body, 100);
  const uint32_t throws = Plays("SeFlowerAttack");
  for (int i = 0; i < 18; i++) Frame();
  EXPECT_EQ(Plays("SeFlowerAttack"), throws + 1);
  EXPECT_EQ(s.body.dead, DeadCoinsThrown);
  ASSERT_EQ(CoinsOut(), 7);
  for (int i = 0; i < 7; i++) EXPECT_EQ(Coins.entries[i].vx, i - 3);
  EXPECT_EQ(s.kind, KindThrower);  // its shot still flies
  while (s.body.attack != ThrowIdle) Frame();
  EXPECT_EQ(s.kind, 0);
}

// Nothing below the map can stop a fall: what drops a screen past its
// bottom is given up, and a shot lost there lets its thrower throw again.
TEST_F(EnemyTest, WhatFallsOutOfTheMapIsGivenUp) {
  FillRow(&t, 15, 25, 59, 0);
  EnemySlot& w = Walker(1200);
  EnemySlot& s = Thrower(600);
  s.body.attack = ThrowFlight;
  s.throwPoseDone = 1;
  s.shotX = 1000;
  s.shotY = 300;
  s.shotVY = 0;
  for (int i = 0; i < 100; i++) {
    Frame();
    if (w.kind != 0) {
      EXPECT_LE(w.body.y, LostBelowY);  // freed in the frame it passes
    }
  }
  EXPECT_EQ(w.kind, 0);
  EXPECT_EQ(s.body.attack, ThrowIdle);
  EXPECT_LE(s.shotY, LostBelowY + 50);
  p.body.x = 700;
  Frame();
  EXPECT_EQ(s.body.attack, ThrowWindUp);
}

TEST(Explosion, NineFramesOfTwoCallsEachWithTheSoundAtTheStart) {
  OpenTestDisplay();
  ExplodeSheet = MakeSurface(576, 64, TransparentIndex);
  for (int f = 0; f < 9; f++) FillRect(ExplodeSheet, 64 * f + 20, 20, 64 * f + 40, 40, static_cast<BYTE>(60 + f));
  BackBuffer->pixels.assign(BackBuffer->pixels.size(), 0);
  int32_t a = 0, b = 16;
  const uint32_t booms = Plays("SeExplode");
  EXPECT_EQ(DrawExplosion(BackBuffer, 100, 100, &a, BltKeyed), 0);
  EXPECT_EQ(Plays("SeExplode"), booms + 1);
  EXPECT_EQ(PixelAt(BackBuffer, 130, 130), 60);
  EXPECT_EQ(PixelAt(BackBuffer, 100, 100), 0);  // keyed
  EXPECT_EQ(DrawExplosion(BackBuffer, 300, 100, &b, BltKeyed), 0);
  EXPECT_EQ(DrawExplosion(BackBuffer, 300, 100, &b, BltKeyed), 1);
  EXPECT_EQ(PixelAt(BackBuffer, 330, 130), 68);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(Plays("SeExplode"), booms + 1);
  DrawExplosion(BackBuffer, 300, 100, &b, BltKeyed);  // once more: a new one, sound and all
  EXPECT_EQ(Plays("SeExplode"), booms + 2);
  Release(ExplodeSheet);
  ExplodeSheet = nullptr;
  CloseTestDisplay();
}

}  // namespace
