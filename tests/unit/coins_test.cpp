// Coins and hearts: flying, bouncing, blinking, expiring, and collected with
// the combo bonus and the limit of 10000.
#include <gtest/gtest.h>

#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "gfx/hud.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

// A 60 x 20 map, band from row 5, ground on row 15 (y 320).
struct CoinTest : ::testing::Test {
  TestMap t;
  PlayerRecord p = StartingPlayer(), q = StartingPlayer();
  void SetUp() override {
    MakeEmptyMap(&t, 60, 20);
    FillRow(&t, 15, 0, 59, 1);
    Coins = CoinTable{};
    ComboCount = 0;
  }
  // A coin thrown from (x, y) with the given speeds.
  CoinEntry& Thrown(int x, int y, int vx, int vy = -15) {
    EnemySlot s{};
    s.body.x = x;
    s.body.y = y;
    int i = 0;
    while (Coins.entries[i].kind != 0) i++;
    ThrowCoins(&Coins, &s, &t.map, 1);
    Coins.entries[i].kind = CoinKindCoin;
    Coins.entries[i].vx = vx;
    Coins.entries[i].vy = vy;
    return Coins.entries[i];
  }
  void Update() { UpdateCoins(nullptr, &Coins, &t.map); }
};

TEST_F(CoinTest, ItRisesOneHundredTwentyPixelsLandsAndLiesStill) {
  CoinEntry& c = Thrown(500, 314, 2);  // from the ground
  int top = c.y;
  for (int i = 0; i < 40; i++, top = std::min(top, c.y)) Update();
  EXPECT_EQ(top, 314 - 120);
  EXPECT_EQ(c.y, 314);
  EXPECT_EQ(c.vx, 0);
}

TEST_F(CoinTest, AWallBouncesItAndAGoalCellLetsItSlide) {
  FillColumn(&t, 20, 10, 14, 1);  // x 640 on
  FillRow(&t, 15, 0, 59, 52);
  CoinEntry& c = Thrown(620, 314, 20, 0);
  Update();
  EXPECT_EQ(c.x, 634);  // its right edge against the wall
  Update();
  EXPECT_EQ(c.x, 614);  // landed on the goal cells, and sliding back
}

TEST_F(CoinTest, ItGlintsBlinksExpiresOrFallsOutOfTheMap) {
  OpenTestDisplay();
  TileSheet = MakeSurface(640, 480, TransparentIndex);
  FillRect(TileSheet, 160, 0, 171, 11, 40);
  CoinEntry& c = Thrown(300, 314, 0, 0);
  const int lives[] = {120, 62, 99, 98}, seen[] = {FlashIndex, FlashIndex, 0, 40};
  for (int i = 0; i < 4; i++) {
    BackBuffer->pixels.assign(BackBuffer->pixels.size(), 0);
    c.life = lives[i];
    UpdateCoins(BackBuffer, &Coins, &t.map);
    EXPECT_EQ(PixelAt(BackBuffer, 300, 314), seen[i]) << lives[i];
  }
  Release(TileSheet);
  TileSheet = nullptr;
  CloseTestDisplay();
  c.life = 0;
  Update();
  EXPECT_EQ(c.kind, 0);
  CoinEntry& lost = Thrown(500, LostBelowY - 5, 0, 10);
  Update();
  EXPECT_EQ(lost.kind, 0);
}

TEST_F(CoinTest, CoinsPayByTheComboUpToTheLimitAndHeartsHealBothWorlds) {
  const uint32_t chimes = SoundPlayCounts[1];
  const struct {
    int8_t kind;
    int32_t combo, pointsBefore, pointsAfter;
  } cases[] = {{1, 0, 0, 1}, {1, 7, 1, 4}, {1, 7, 9999, 10002}, {1, 7, 10000, 10000}, {2, 0, 0, 0}};
  p.body.hp = 95;
  for (const auto& k : cases) {
    CoinEntry& c = Thrown(p.body.x, p.body.y, 0);
    c.kind = k.kind;
    ComboCount = k.combo;
    p.skillPoints = k.pointsBefore;
    CollectCoins(&p, &q, &Coins, &t.map);
    EXPECT_EQ(p.skillPoints, k.pointsAfter);
    EXPECT_EQ(c.kind, 0);
  }
  EXPECT_EQ(SoundPlayCounts[1], chimes + 3);  // none at the limit, none for the heart
  EXPECT_EQ(p.body.hp, 100);
  EXPECT_EQ(q.body.hp, 100);
  CoinEntry& touching = Thrown(p.body.x + 15, p.body.y, 0);  // edge to edge
  CollectCoins(&p, &q, &Coins, &t.map);
  EXPECT_NE(touching.kind, 0);
}

}  // namespace
