// The camera's scroll, the drawing of the visible window, and the enemies
// its cells spawn.
#include <gtest/gtest.h>

#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "stage/map_drawing.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

// ---- The camera ---------------------------------------------------------------

TEST(ScrollWithCharacterTest, TheViewFollowsUntilAnEdgeAndWaitsForTheReturn) {
  TestMap t;
  MakeEmptyMap(&t, 100, 20);
  t.map.scrollX = t.map.scrollXTotal = 20;
  ScrollWithCharacter(&t.map, -50, 0);
  EXPECT_EQ(t.map.scrollXTotal, -30);
  EXPECT_EQ(t.map.scrollX, 0);
  ScrollWithCharacter(&t.map, 40, 0);
  EXPECT_EQ(t.map.scrollXTotal, 10);
  EXPECT_EQ(t.map.scrollX, 10);
}

TEST(ScrollWithCharacterTest, TheRightAndTopLimits) {
  TestMap t;
  MakeEmptyMap(&t, 100, 20);
  ScrollWithCharacter(&t.map, 32 * 80 - 1, 0);
  EXPECT_EQ(t.map.scrollX, 32 * 80 - 1);
  ScrollWithCharacter(&t.map, 40, 0);  // beyond: held at the limit
  EXPECT_EQ(t.map.scrollX, 32 * 80);
  EXPECT_EQ(t.map.scrollXTotal, 32 * 80 + 39);
  ScrollWithCharacter(&t.map, 0, -32 * 5 - 40);  // a rise lifts the view
  EXPECT_EQ(t.map.scrollY, 32 * 5);
  EXPECT_EQ(t.map.scrollYTotal, 32 * 5 + 40);
  ScrollWithCharacter(&t.map, 0, 32 * 5 + 100);
  EXPECT_EQ(t.map.scrollY, 0);
}

TEST(ScrollWithCharacterTest, AMapOfExactlyOneScreenNeverScrolls) {
  TestMap t;
  MakeEmptyMap(&t, 20, 15);
  ScrollWithCharacter(&t.map, 200, -300);
  EXPECT_EQ(t.map.scrollX, 0);
  EXPECT_EQ(t.map.scrollY, 0);
}

// ---- Drawing ------------------------------------------------------------------

constexpr BYTE Ground = 7;

// The picture of value 1 is a block of index 7 on a clear tile sheet.
struct DrawTest : ::testing::Test {
  DDSurface *screen = nullptr, *tiles = nullptr, *savedTileSheet = TileSheet;
  TestMap t;
  EnemyTable enemies{};

  void SetUp() override {
    OpenTestDisplay();
    screen = MakeSurface(640, 480);
    tiles = MakeSurface(640, 480, TransparentIndex);
    FillRect(tiles, 0, 64, 32, 96, Ground);
    TileSheet = tiles;
    MakeEmptyMap(&t, 100, 20);
  }
  void TearDown() override {
    TileSheet = savedTileSheet;
    Release(screen);
    Release(tiles);
    CloseTestDisplay();
  }
  BYTE Pixel(int x, int y) { return PixelAt(screen, x, y); }
};

TEST_F(DrawTest, TheWindowFollowsTheScroll) {
  t.map.scrollX = 100;
  t.map.scrollY = 40;
  t.at(3, 3) = 1;    // view row -1, view column 0: drawn at (-4, -24)
  t.at(18, 4) = 1;   // view row 14, view column 1: drawn at (28, 456)
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(Pixel(0, 0), Ground);
  EXPECT_EQ(Pixel(27, 7), Ground);
  EXPECT_EQ(Pixel(28, 0), 0);
  EXPECT_EQ(Pixel(27, 8), 0);
  EXPECT_EQ(Pixel(28, 456), Ground);
  EXPECT_EQ(Pixel(59, 479), Ground);
  EXPECT_EQ(Pixel(27, 456), 0);
}

TEST_F(DrawTest, AtTheTopLimitMapRowZeroIsTheFirstRow) {
  t.map.scrollY = 32 * 5;
  t.at(0, 0) = 1;
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(Pixel(0, 0), Ground);
  EXPECT_EQ(Pixel(31, 31), Ground);
  EXPECT_EQ(Pixel(0, 32), 0);
}

TEST_F(DrawTest, HiddenCellsLookLikeGround) {
  t.at(19, 0) = 1000;
  t.at(19, 1) = 5000;
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(Pixel(0, 470), Ground);
  EXPECT_EQ(Pixel(40, 470), Ground);
}

// At the right limit view column 20 lies beyond the map: it is empty, and a
// cell of the next row is not drawn or spawned there.
TEST_F(DrawTest, ColumnTwentyAtTheRightLimitIsEmpty) {
  t.map.scrollX = 32 * 80;
  t.at(16, 0) = KindWalker;  // row-major, the cell right after row 15's last
  t.at(15, 99) = 1;
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(enemies.slots[0].kind, 0);
  EXPECT_EQ(t.at(16, 0), KindWalker);
  EXPECT_EQ(Pixel(639, 32 * 10), Ground);
}

TEST_F(DrawTest, SomeValuesAreKeyedAndSomeOpaque) {
  FillRect(tiles, 0, 0, 640, 480, TransparentIndex);
  const struct {
    int value;
    bool keyed;
  } cases[] = {{1, false}, {2, false}, {5, true}, {53, false}, {51, true}, {52, false}, {101, true}, {151, true}, {1005, false}};
  for (const auto& c : cases) {
    FillRect(screen, 0, 448, 32, 480, 200);
    t.at(19, 0) = c.value;
    DrawStageMap(screen, &t.map, &enemies);
    EXPECT_EQ(Pixel(5, 470), c.keyed ? 200 : TransparentIndex) << c.value;
  }
}

// ---- Spawning -------------------------------------------------------------------

TEST_F(DrawTest, MapCellsSpawnByTheScreenGrid) {
  t.at(15, 3) = KindWalker;  // view column 3, view row 10
  DrawStageMap(screen, &t.map, &enemies);
  const EnemySlot& w = enemies.slots[0];
  EXPECT_EQ(w.kind, KindWalker);
  EXPECT_EQ(w.body.x, 146);
  EXPECT_EQ(w.body.y, 302);
  EXPECT_EQ(w.body.vy, 1);
  EXPECT_EQ(w.body.vx, -2);
  EXPECT_EQ(w.body.facing, -2);
  EXPECT_EQ(w.body.hp, 100);
  EXPECT_EQ(w.body.boxTop, -24);
  EXPECT_EQ(w.body.boxBottom, 25);
  EXPECT_EQ(t.at(15, 3), 0);

  t.at(15, 3) = KindThrower;
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(enemies.slots[1].body.x, 96);
  EXPECT_EQ(enemies.slots[1].body.y, 320);
  EXPECT_EQ(enemies.slots[1].body.boxLeft, -23);
}

TEST_F(DrawTest, ACellAboveTheScreenSpawnsBeforeItShows) {
  t.map.scrollX = 40;
  t.map.scrollY = 8;
  t.at(4, 1) = KindThrower;  // view row -1, view column 0
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(enemies.slots[0].body.x, 40);
  EXPECT_EQ(enemies.slots[0].body.y, -40);
}

TEST_F(DrawTest, AFullTableLeavesTheCellToBeOfferedAgain) {
  for (EnemySlot& s : enemies.slots) s.kind = KindWalker;
  t.at(15, 3) = KindThrower;
  t.at(15, 4) = 250;  // not an enemy: left alone
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(t.at(15, 3), KindThrower);
  EXPECT_EQ(t.at(15, 4), 250);
  enemies.slots[57].kind = 0;
  DrawStageMap(screen, &t.map, &enemies);
  EXPECT_EQ(enemies.slots[57].kind, KindThrower);
  EXPECT_EQ(t.at(15, 3), 0);
}

}  // namespace
