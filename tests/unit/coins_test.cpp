// Coins and hearts: thrown in a fan, flying, bouncing, blinking, expiring,
// and collected with the combo bonus and the limit of 10000.
#include <gtest/gtest.h>

#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "gfx/hud.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

// A 60 x 20 map (band from row 5) with ground on row 15, y 320.
struct CoinTest : ::testing::Test {
  TestMap t;
  PlayerRecord p{}, q{};
  void SetUp() override {
    MakeEmptyMap(&t, 60, 20);
    FillRow(&t, 15, 0, 59, 1);
    p = q = StartingPlayer();
    Coins = CoinTable{};
    ComboCount = 0;
  }
  CoinEntry& Thrown(int x, int y) {
    EnemySlot s{};
    s.body.x = x;
    s.body.y = y;
    ThrowCoins(&Coins, &s, &t.map, 1);
    for (CoinEntry& c : Coins.entries)
      if (c.kind != 0 && c.life == CoinLife) return c;
    return Coins.entries[0];
  }
  void Update() { UpdateCoins(nullptr, &Coins, &t.map); }
};

TEST_F(CoinTest, AFanOfSevenWithAHeartNowAndThenAndAFullTableDropsTheRest) {
  EnemySlot s{};
  s.body.x = 500;
  s.body.y = 200;
  int hearts = 0;
  for (int n = 0; n < 22; n++) ThrowCoins(&Coins, &s, &t.map, 7);
  for (int i = 0; i < CoinSlots; i++) {
    const CoinEntry& c = Coins.entries[i];
    EXPECT_EQ(c.vx, i % 7 - 3);
    EXPECT_EQ(c.vy, -15);
    hearts += c.kind == CoinKindHeart;
  }
  EXPECT_GT(hearts, 2);
  EXPECT_LT(hearts, 30);
  EXPECT_EQ(Coins.entries[CoinSlots - 1].vx, -1);  // the last throw placed only 3
  Coins.entries[40].kind = 0;
  ThrowCoins(&Coins, &s, &t.map, 3);  // one place: the first of the three
  EXPECT_EQ(Coins.entries[40].vx, -1);
}

TEST_F(CoinTest, ItRisesOneHundredTwentyPixelsLandsAndLiesStill) {
  CoinEntry& c = Thrown(500, 314);  // resting on the ground
  c.vx = 2;
  int top = c.y;
  for (int i = 0; i < 40; i++) {
    Update();
    top = std::min(top, c.y);
  }
  EXPECT_EQ(top, 314 - 120);
  EXPECT_EQ(c.y, 314);
  EXPECT_EQ(c.vx, 0);
  EXPECT_EQ(c.life, CoinLife - 40);
}

TEST_F(CoinTest, AWallBouncesItAndAGoalCellLetsItSlide) {
  FillColumn(&t, 20, 10, 14, 1);  // x 640 to 671
  FillRow(&t, 15, 0, 59, 52);
  CoinEntry& c = Thrown(620, 314);
  c.vx = 20;
  c.vy = 0;
  Update();
  EXPECT_EQ(c.x, 634);  // its right edge against the wall
  EXPECT_EQ(c.vx, -20);
  Update();
  EXPECT_EQ(c.x, 614);  // landed on the goal cells and sliding on
}

TEST_F(CoinTest, ItGlintsBlinksAndExpires) {
  OpenTestDisplay();
  TileSheet = MakeSurface(640, 480, TransparentIndex);
  FillRect(TileSheet, 160, 0, 171, 11, 40);
  FillRect(TileSheet, 171, 0, 182, 11, 41);
  CoinEntry& c = Thrown(300, 314);
  c.kind = CoinKindHeart;
  c.vy = 0;
  const struct {
    int life;
    BYTE seen;
  } cases[] = {{120, FlashIndex}, {62, FlashIndex}, {99, 0}, {98, 41}, {400, 41}};
  for (const auto& k : cases) {
    BackBuffer->pixels.assign(BackBuffer->pixels.size(), 0);
    c.life = k.life;
    UpdateCoins(BackBuffer, &Coins, &t.map);
    EXPECT_EQ(PixelAt(BackBuffer, 300, 314), k.seen) << k.life;
  }
  c.life = 0;
  Update();
  EXPECT_EQ(c.kind, 0);
  Release(TileSheet);
  TileSheet = nullptr;
  CloseTestDisplay();
}

TEST_F(CoinTest, OneFallenOutOfTheMapIsGivenUp) {
  CoinEntry& c = Thrown(500, LostBelowY - 5);
  c.vy = 10;
  Update();
  EXPECT_EQ(c.kind, 0);
}

TEST_F(CoinTest, CoinsPayByTheComboUpToTheLimitAndHeartsHealBothWorlds) {
  const uint32_t chimes = SoundPlayCounts[1];
  auto collect = [&](int8_t kind) {
    CoinEntry& c = Thrown(p.body.x, p.body.y);
    c.kind = kind;
    CollectCoins(&p, &q, &Coins, &t.map);
    EXPECT_EQ(c.kind, 0);
  };
  collect(CoinKindCoin);
  EXPECT_EQ(p.skillPoints, 1);
  ComboCount = 7;
  collect(CoinKindCoin);
  EXPECT_EQ(p.skillPoints, 4);
  p.skillPoints = 9999;
  collect(CoinKindCoin);
  EXPECT_EQ(p.skillPoints, 10002);  // a little below: the whole value
  collect(CoinKindCoin);
  EXPECT_EQ(p.skillPoints, 10002);  // from 10000 on: nothing, silently
  EXPECT_EQ(SoundPlayCounts[1], chimes + 3);
  p.body.hp = 95;
  collect(CoinKindHeart);
  EXPECT_EQ(p.body.hp, 100);
  EXPECT_EQ(q.body.hp, 100);
  EXPECT_EQ(q.skillPoints, 0);
  // Boxes that only touch do not overlap: the pick-up stays.
  CoinEntry& far = Thrown(p.body.x + 15, p.body.y);
  CollectCoins(&p, &q, &Coins, &t.map);
  EXPECT_NE(far.kind, 0);
}

}  // namespace
