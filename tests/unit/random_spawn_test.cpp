// The random spawn: when its roll places an enemy, and where.
#include <gtest/gtest.h>

#include "app/random.h"
#include "enemy/enemy_table.h"
#include "world_fixture.h"

namespace {

struct RandomSpawnTest : ::testing::Test {
  TestMap t;
  EnemyTable enemies{};
  void SetUp() override { MakeEmptyMap(&t, 100, 20); }
  int Occupied() {
    int n = 0;
    for (const EnemySlot& s : enemies.slots) n += s.kind != 0;
    return n;
  }
};

TEST_F(RandomSpawnTest, AnUnluckyRollPlacesNothing) {
  SeedRandom(1);
  ASSERT_NE(Random() % 1000, 234);
  SeedRandom(1);
  TryRandomSpawn(&enemies, &t.map);
  EXPECT_EQ(Occupied(), 0);
}

TEST_F(RandomSpawnTest, ALuckyRollPlacesAnEnemyAtColumnTwentyTwo) {
  // Rows 5 to 9 of the test columns hold something: the first empty block
  // is centred on map row 11, view row 6.
  FillColumn(&t, 22, 0, 9, 1);
  SeedForLuckyRoll();
  TryRandomSpawn(&enemies, &t.map);
  ASSERT_EQ(Occupied(), 1);
  const EnemySlot& e = enemies.slots[0];
  ASSERT_TRUE(e.kind == KindWalker || e.kind == KindThrower);
  EXPECT_EQ(e.body.x, e.kind == KindWalker ? 32 * 22 + 50 : 32 * 22);
  EXPECT_EQ(e.body.y, e.kind == KindWalker ? 32 * 6 - 18 : 32 * 6);
}

TEST_F(RandomSpawnTest, NothingWithinTwoColumnsOfTheRightLimit) {
  t.map.scrollX = 32 * 78;  // test columns 99, 100, 101
  SeedForLuckyRoll();
  TryRandomSpawn(&enemies, &t.map);
  EXPECT_EQ(Occupied(), 0);
}

// At the right limit the third column is one beyond the map, and at the
// bottom limit the last block reaches the row below the map: both count as
// empty, and nothing outside the map is read.
TEST_F(RandomSpawnTest, ColumnsAndRowsBeyondTheMapCountAsEmpty) {
  t.map.scrollX = 32 * 77;  // test columns 98, 99, 100
  FillColumn(&t, 98, 0, 17, 1);
  SeedForLuckyRoll();
  TryRandomSpawn(&enemies, &t.map);
  ASSERT_EQ(Occupied(), 1);
  EXPECT_EQ(enemies.slots[0].body.y, enemies.slots[0].kind == KindWalker ? 32 * 14 - 18 : 32 * 14);
}

TEST_F(RandomSpawnTest, NoEmptyBlockNoEnemy) {
  FillColumn(&t, 23, 0, 19, 9);
  SeedForLuckyRoll();
  TryRandomSpawn(&enemies, &t.map);
  EXPECT_EQ(Occupied(), 0);
}

TEST_F(RandomSpawnTest, AtTheTopLimitTheFirstBlockIsSkipped) {
  t.map.scrollY = 32 * 5;  // view row 0 is map row 0
  SeedForLuckyRoll();
  TryRandomSpawn(&enemies, &t.map);
  ASSERT_EQ(Occupied(), 1);
  const EnemySlot& e = enemies.slots[0];
  EXPECT_EQ(e.body.y, e.kind == KindWalker ? 32 * 1 - 32 * 5 - 18 : 32 * 1 - 32 * 5);
}

}  // namespace
