// The walker and the thrower, the thrower's shot, and the explosion they share.
#include <gtest/gtest.h>

#include "enemy/coins.h"
#include "enemy/enemy_behaviour.h"
#include "enemy/enemy_table.h"
#include "enemy/explosion.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "world_fixture.h"

namespace {

enum { Explode = 3, FlowerAttack = 2, Hit = 7 };  // places in the sound bank

// A 60 x 20 map, band from row 5, ground on row 15 (y 320); the character
// stands far off unless a test brings it near.
struct EnemyTest : ::testing::Test {
  TestMap t;
  PlayerRecord p = StartingPlayer();
  EnemyTable e{};
  void SetUp() override {
    MakeEmptyMap(&t, 60, 20);
    FillRow(&t, 15, 0, 59, 1);
    p.body.x = 1800;
    p.body.y = 295;
    Coins = CoinTable{};
    ComboCount = 4;
  }
  // Placed as a map cell would place it, then moved to x, on the ground.
  EnemySlot& Spawn(int32_t kind, int x) {
    EnemySlot* s = &e.slots[0];
    while (s->kind != 0) s++;
    SpawnEnemy(&e, &t.map, &kind, 0, 0);
    s->body.x = x;
    s->body.y = kind == KindWalker ? 294 : 287;
    return *s;
  }
  void Frame() { UpdateEnemies(nullptr, &e, &t.map, &p); }
};

TEST_F(EnemyTest, AWalkerTurnsAtAWallAndWalksOffALedge) {
  FillRow(&t, 15, 31, 59, 0);
  FillColumn(&t, 10, 13, 14, 1);
  EnemySlot& w = Spawn(KindWalker, 400);
  for (int i = 0; i < 15; i++) Frame();
  EXPECT_EQ(w.body.x, 372);  // its left edge against the wall
  EXPECT_EQ(w.body.vx, 2);
  EXPECT_EQ(w.body.facing, 2);
  while (w.body.y == 294) Frame();
  EXPECT_EQ(w.body.x, 1014);  // a step after its whole box passed the ledge
  Frame();
  Frame();
  EXPECT_EQ(w.body.vy, 3);
}

TEST_F(EnemyTest, ContactHurtsOnlyWhileTheCharacterIsNotInvulnerable) {
  Spawn(KindWalker, p.body.x + 20).body.vx = 0;
  p.body.attack = AttackSlash;
  const uint32_t hits = SoundPlayCounts[Hit];
  Frame();
  EXPECT_EQ(p.body.hp, 95);
  EXPECT_EQ(p.body.invuln, 70);
  EXPECT_EQ(p.body.attack, AttackNone);
  EXPECT_EQ(ComboCount, 0);
  EXPECT_EQ(ComboBannerX, BannerHurtX);
  EXPECT_EQ(SoundPlayCounts[Hit], hits + 1);
  p.body.invuln = 1;
  Frame();
  p.body.invuln = 0;
  Frame();
  EXPECT_EQ(p.body.hp, 90);
}

// Sighted in frame 0: pose 4 in frames 0 to 3, pose 5 in 4 to 7, the shot
// in frame 8 with the throw pose in its first 5 frames; the burst lasts 18
// frames, and the next sighting comes in the frame after it.
TEST_F(EnemyTest, TheThrowersTimingsFromSightingToBurst) {
  EnemySlot& s = Spawn(KindThrower, 600);
  p.body.x = 700;
  p.body.invuln = 100000;  // the shot passes the character and strikes the ground
  const uint32_t throws = SoundPlayCounts[FlowerAttack];
  for (int frame = 0; frame < 8; frame++) {
    Frame();
    EXPECT_EQ(s.body.anim / 8, frame < 4 ? 4 : 5) << frame;
  }
  EXPECT_EQ(s.body.x, 598);  // only the step before the sighting
  for (int frame = 8; frame < 13; frame++) {
    Frame();
    EXPECT_EQ(s.body.anim, 32) << frame;
  }
  EXPECT_EQ(SoundPlayCounts[FlowerAttack], throws + 1);
  EXPECT_EQ(s.body.facing, 2);
  while (s.body.attack == ThrowFlight) {
    Frame();
    if (s.body.attack == ThrowFlight) {
      EXPECT_LT(s.body.anim, 32);  // walking on: the count restarted from 32
    }
  }
  int burst = 0;
  for (; s.body.attack == ThrowBurst; burst++) Frame();
  EXPECT_EQ(burst, 17);  // and the frame of the strike
  Frame();
  EXPECT_EQ(s.body.attack, ThrowWindUp);
}

TEST_F(EnemyTest, TheAimedShot) {
  const struct {
    int dx, dy;
    double shotVX;
    int8_t facing;
  } cases[] = {
      {84, 0, 84.0 * 41 / 42 / 42, 2},    // level: the arc comes back down 43 steps on
      {42, 10, (41 - 9.0 / 21) / 42, 2},  // below
      {-42, -300, -1.5, -2},              // above the arc's top
      {0, -300, 0, 2},                    // straight above: the facing stays
  };
  for (const auto& c : cases) {
    e = EnemyTable{};
    EnemySlot& s = Spawn(KindThrower, 600);
    s.body.vx = 0;
    s.body.facing = 2;
    s.body.attack = ThrowLaunch;
    p.body.x = 600 + c.dx;
    p.body.y = 287 + c.dy;
    Frame();
    EXPECT_NEAR(s.shotVX, c.shotVX, 1e-12) << c.dx;
    EXPECT_EQ(s.body.facing, c.facing);
    EXPECT_EQ(s.shotVY, 20);
    EXPECT_EQ(s.shotY, 287 - 20);
  }
}

// Its 18th step takes it 207 pixels up, where the probe's top comes flush
// under the cells of row 6 (y 32 to 63).
TEST_F(EnemyTest, AShotThatMeetsACeilingBurstsThere) {
  FillRow(&t, 6, 0, 59, 1);
  EnemySlot& s = Spawn(KindThrower, 600);
  s.body.attack = ThrowLaunch;
  s.throwPoseDone = 1;
  for (int i = 0; i < 17; i++) Frame();
  EXPECT_EQ(s.body.attack, ThrowFlight);
  Frame();
  EXPECT_EQ(s.body.attack, ThrowBurst);
  EXPECT_EQ(s.throwPoseDone, 0);
  EXPECT_EQ(s.shotY, 287 - 207);
}

// Rising 11 pixels into the ceiling, not flush under it: it bursts all the
// same, pushed back under the cells.
TEST_F(EnemyTest, AShotRisingIntoACeilingBurstsUnderIt) {
  FillRow(&t, 6, 0, 59, 1);
  EnemySlot& s = Spawn(KindThrower, 600);
  s.body.attack = ThrowFlight;
  s.throwPoseDone = 1;
  s.shotX = 600;
  s.shotY = 80;
  s.shotVX = 0;
  s.shotVY = 12;
  Frame();
  EXPECT_EQ(s.body.attack, ThrowBurst);
  EXPECT_EQ(s.shotY, 80);
}

TEST_F(EnemyTest, BeatenEnemiesExplodeThenThrowTheirCoins) {
  EnemySlot& w = Spawn(KindWalker, 300);
  EnemySlot& s = Spawn(KindThrower, 600);
  p.body.x = 700;
  p.body.invuln = 100000;
  Frame();  // the thrower sees the character
  ApplyDamage(&w.body, 100);
  ApplyDamage(&s.body, 100);
  for (int i = 0; i < 17; i++) Frame();
  EXPECT_EQ(w.kind, KindWalker);
  Frame();
  EXPECT_EQ(w.kind, 0);
  ASSERT_EQ(Coins.entries[2].vx, 1);
  for (int i = 0; i < 7; i++) EXPECT_EQ(Coins.entries[3 + i].vx, i - 3);
  EXPECT_EQ(s.body.dead, DeadCoinsThrown);
  EXPECT_EQ(s.shotVY, 10);  // thrown in frame 8 all the same, and still flying
  EXPECT_EQ(s.kind, KindThrower);
  while (s.body.attack != ThrowIdle) Frame();
  EXPECT_EQ(s.kind, 0);
}

// Nothing below the map stops a fall: what drops a screen past its bottom
// is given up, and a shot lost there lets its thrower throw again.
TEST_F(EnemyTest, WhatFallsOutOfTheMapIsGivenUp) {
  FillRow(&t, 15, 25, 59, 0);
  EnemySlot& w = Spawn(KindWalker, 1200);
  EnemySlot& s = Spawn(KindThrower, 600);
  s.body.attack = ThrowFlight;
  s.throwPoseDone = 1;
  s.shotX = 1000;
  for (int i = 0; i < 100; i++) {
    Frame();
    if (w.kind != 0) {
      EXPECT_LE(w.body.y, LostBelowY);
    }
  }
  EXPECT_EQ(w.kind, 0);
  EXPECT_EQ(s.body.attack, ThrowIdle);
  EXPECT_LE(s.shotY, LostBelowY + 50);
}

TEST(Explosion, EighteenCallsWithTheSoundAtTheStart) {
  int32_t a = 0, b = 17;
  const uint32_t booms = SoundPlayCounts[Explode];
  EXPECT_EQ(DrawExplosion(nullptr, 0, 0, &a, BltKeyed), 0);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(DrawExplosion(nullptr, 0, 0, &b, BltKeyed), 1);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(SoundPlayCounts[Explode], booms + 1);
  DrawExplosion(nullptr, 0, 0, &b, BltKeyed);  // once more: a new one, sound and all
  EXPECT_EQ(SoundPlayCounts[Explode], booms + 2);
}

}  // namespace
