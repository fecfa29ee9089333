// The skill menu and the death dialog, driven by keys sampled at their flips.
#include <gtest/gtest.h>

#include <cstring>

#include "app/menus.h"
#include "growth/skill_menu.h"
#include "sound/sound_effects.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

uint32_t Plays(const char* sound) {
  for (int i = 0; i < SoundBankSize; i++)
    if (std::strcmp(SoundBankNames[i], sound) == 0) return SoundPlayCounts[i];
  return 0;
}

// ---- The skill menu -------------------------------------------------------------

// The menu as the frame driver opens it: Ctrl taken. From the third pass on,
// pass k reads the keys of flip k, so a script line k drives pass k.
struct SkillMenuTest : ::testing::Test {
  PlayerRecord p = StartingPlayer(), q = StartingPlayer();
  uint32_t ok = Plays("SeOk"), lvup = Plays("SeLvup"), no = Plays("SeNo");

  void SetUp() override {
    OpenTestDisplay();
    KeyLatchCtrl = 1;
    KeyLatchEnter = 0;
  }
  void TearDown() override {
    CloseTestDisplay();
    HoldKeys({});
  }
  void Open(const std::vector<InputLine>& script) {
    ScriptKeys(script);
    RunSkillMenu(&p, &q);
  }
};

TEST_F(SkillMenuTest, BuyingASkillSpendsItsPriceAndBothWorldsLearnIt) {
  p.skillPoints = 25;
  q.skillPoints = 3;
  // Ctrl still held from the opening does not close the menu.
  Open({{0, {VK_CONTROL}}, {3, {}}, {4, {VK_RIGHT}}, {5, {}}, {6, {VK_RIGHT}}, {7, {}},
        {8, {VK_RETURN}}, {9, {}}, {10, {'Y'}}, {11, {}}, {12, {VK_CONTROL}}});
  EXPECT_EQ(p.skills[SkillRising].level, 1);
  EXPECT_EQ(p.skills[SkillRising].cost, 22);
  EXPECT_EQ(p.skillPoints, 5);
  for (int i = 0; i < 5; i++) EXPECT_EQ(q.skills[i].level, p.skills[i].level);
  EXPECT_EQ(q.skills[SkillRising].cost, 22);
  EXPECT_EQ(q.skillPoints, 3);
  EXPECT_EQ(Plays("SeOk"), ok + 1);
  EXPECT_EQ(Plays("SeLvup"), lvup + 1);
  EXPECT_EQ(KeyLatchCtrl, 1);
}

TEST_F(SkillMenuTest, TooDearOrEmptyCellsAreRefused) {
  p.skillPoints = 15;
  // Slot 2 costs 20; the cell two rows below it (index 8) is not offered.
  Open({{0, {}}, {4, {VK_RIGHT}}, {5, {}}, {6, {VK_RIGHT}}, {7, {}}, {8, {VK_RETURN}}, {9, {}},
        {10, {VK_DOWN}}, {11, {}}, {12, {VK_DOWN}}, {13, {}}, {14, {VK_RETURN}}, {15, {}}, {16, {VK_CONTROL}}});
  EXPECT_EQ(Plays("SeNo"), no + 2);
  EXPECT_EQ(Plays("SeOk"), ok);
  EXPECT_EQ(p.skillPoints, 15);
  EXPECT_EQ(p.skills[SkillRising].level, 0);
  EXPECT_EQ(p.skills[8].level, -1);
}

TEST_F(SkillMenuTest, MaximumHpIsTenALevelOverNinetyInBothRecords) {
  p.skillPoints = 100;
  Open({{0, {}}, {4, {VK_DOWN}}, {5, {}}, {6, {VK_RIGHT}}, {7, {}}, {8, {VK_RETURN}}, {9, {}}, {10, {'Y'}},
        {11, {}}, {12, {VK_CONTROL}}});
  EXPECT_EQ(p.skills[SkillMaxHp].level, 2);
  EXPECT_EQ(p.maxHp, 110);
  EXPECT_EQ(q.maxHp, 110);
  EXPECT_EQ(p.body.hp, 100);
  EXPECT_EQ(p.skillPoints, 80);
}

// Enter held through the question does not answer it; once released, the
// next Enter buys, and held on, it asks nothing more.
TEST_F(SkillMenuTest, AnEnterPressBuysAtMostOnce) {
  p.skillPoints = 1000;
  Open({{0, {}}, {4, {VK_RETURN}}, {20, {}}, {22, {VK_RETURN}}, {40, {}}, {42, {VK_CONTROL}}});
  EXPECT_EQ(p.skills[SkillSlash].level, 2);
  EXPECT_EQ(p.skillPoints, 990);
  EXPECT_EQ(Plays("SeOk"), ok + 1);
  EXPECT_EQ(Plays("SeLvup"), lvup + 1);
  EXPECT_EQ(KeyLatchEnter, 0);
}

TEST_F(SkillMenuTest, PricesRiseByATenthRoundedDown) {
  SkillSlot slot{1, 10};
  int32_t points = 1000;
  HoldKeys({'Y'});
  std::vector<int32_t> prices;
  for (int i = 0; i < 12; i++) {
    ASSERT_EQ(ConfirmSkillPurchase(&slot, &points), 1);
    prices.push_back(slot.cost);
  }
  EXPECT_EQ(prices, (std::vector<int32_t>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 24}));
  EXPECT_EQ(slot.level, 13);
  EXPECT_EQ(points, 1000 - (10 + 11 + 12 + 13 + 14 + 15 + 16 + 17 + 18 + 19 + 20 + 22));
  HoldKeys({'N'});
  EXPECT_EQ(ConfirmSkillPurchase(&slot, &points), -1);
  HoldKeys({});
  EXPECT_EQ(ConfirmSkillPurchase(&slot, &points), 0);
  EXPECT_EQ(slot.level, 13);
}

TEST_F(SkillMenuTest, TheQuestionLearnsANewSkillAndRaisesAKnownOne) {
  char text[128];
  FormatPurchaseQuestion(text, sizeof text, SkillSlot{0, 20});
  EXPECT_EQ(Cp932ToUtf8(text), "SPを20消費してこのスキルを覚えますか？");
  FormatPurchaseQuestion(text, sizeof text, SkillSlot{3, 13});
  EXPECT_EQ(Cp932ToUtf8(text), "SPを13消費してこのスキルのLVを上げますか？");
}

// Through the frame driver: Ctrl must be let go between opening and closing,
// and after closing before the menu opens again.
struct SkillMenuFrameTest : ::testing::Test, TwoWorlds {
  void SetUp() override {
    OpenTestDisplay();
    Start(40, 20);
    FillRow(&a, 15, 0, 39, 1);
    p.body.y = q.body.y = 320 - 25;
    KeyLatchEnter = 0;
  }
  void TearDown() override {
    CloseTestDisplay();
    HoldKeys({});
  }
  uint32_t FlipsOfAFrame() {
    const uint32_t before = FlipCount();
    Frame();
    return FlipCount() - before;
  }
};

TEST_F(SkillMenuFrameTest, CtrlOpensAndClosesOncePerPress) {
  ScriptKeys({{0, {VK_CONTROL}}, {5, {}}, {6, {VK_CONTROL}}});
  EXPECT_GT(FlipsOfAFrame(), 6u);  // the menu ran, and Ctrl stays down
  EXPECT_EQ(FlipsOfAFrame(), 1u);
  EXPECT_EQ(FlipsOfAFrame(), 1u);
  HoldKeys({});
  EXPECT_EQ(FlipsOfAFrame(), 1u);
  EXPECT_EQ(KeyLatchCtrl, 0);
  ScriptKeys({{0, {VK_CONTROL}}, {5, {}}, {6, {VK_CONTROL}}});
  EXPECT_GT(FlipsOfAFrame(), 6u);
}

// ---- The death dialog -----------------------------------------------------------

struct DeathDialogTest : ::testing::Test {
  PlayerRecord p = StartingPlayer(), q = StartingPlayer();

  void SetUp() override {
    OpenTestDisplay();
    KeyLatchEnter = 0;
    const int32_t levels[5] = {1, 2, 3, 0, 5};
    for (int i = 0; i < 5; i++) p.skills[i] = SkillSlot{levels[i], 10 + i};
    p.skills[7] = SkillSlot{4, 44};
    p.maxHp = 130;
    p.body.dead = 2;
    p.body.hurt = q.body.hurt = 1;
    q.body.dead = 1;
    q.skillPoints = 77;
  }
  void TearDown() override {
    CloseTestDisplay();
    HoldKeys({});
  }
  uint32_t FlipsUntilAnswered() {
    const uint32_t before = FlipCount();
    RunDeathDialog(&p, &q);
    return FlipCount() - before;
  }
};

TEST_F(DeathDialogTest, ContinuingCostsTwoLevelsAndRestoresBothCharacters) {
  const uint32_t lvup = Plays("SeLvup");
  HoldKeys({'Y', 'N'});  // Y wins
  EXPECT_EQ(FlipsUntilAnswered(), 0u);
  const int32_t levels[5] = {0, 0, 1, 0, 3};
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(p.skills[i].level, levels[i]) << i;
    EXPECT_EQ(p.skills[i].cost, 10 + i) << i;
    EXPECT_EQ(q.skills[i].level, levels[i]) << i;
    EXPECT_EQ(q.skills[i].cost, 10 + i) << i;
  }
  EXPECT_EQ(p.skills[7].level, 4);
  EXPECT_EQ(q.skills[7].level, -1);
  EXPECT_EQ(q.skillPoints, 77);
  for (const PlayerRecord* r : {&p, &q}) {
    EXPECT_EQ(r->body.dead, 0);
    EXPECT_EQ(r->body.hp, 130);
    EXPECT_EQ(r->body.invuln, 70);
    EXPECT_EQ(r->body.hurt, 0);
  }
  EXPECT_EQ(q.maxHp, 100);
  EXPECT_EQ(Plays("SeLvup"), lvup + 1);
}

TEST_F(DeathDialogTest, ReturnStillHeldFromAPurchaseIsIgnored) {
  KeyLatchEnter = 1;
  ScriptKeys({{0, {VK_RETURN}}, {3, {'Y'}}});
  EXPECT_EQ(FlipsUntilAnswered(), 3u);
  KeyLatchEnter = 0;
  p.body.dead = 2;
  HoldKeys({VK_RETURN});
  EXPECT_EQ(FlipsUntilAnswered(), 0u);
  EXPECT_EQ(p.body.dead, 0);
}

}  // namespace
