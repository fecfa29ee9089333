// The skill menu and the death dialog, driven by keys sampled at their flips.
#include <gtest/gtest.h>

#include <cstring>

#include "app/menus.h"
#include "growth/skill_menu.h"
#include "platform/picture/text_encoding.h"
#include "sound/sound_effects.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

uint32_t Plays(const char* sound) {
  for (int i = 0; i < SoundBankSize; i++)
    if (std::strcmp(SoundBankNames[i], sound) == 0) return SoundPlayCounts[i];
  return 0;
}

// Both worlds' characters, on a display whose flips sample the keys.
struct MenuTest : ::testing::Test, TwoWorlds {
  uint32_t ok = Plays("SeOk"), lvup = Plays("SeLvup"), no = Plays("SeNo");
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
  // The menu as the frame driver opens it, Ctrl taken. From the third pass
  // on, pass k reads the keys of flip k.
  void Menu(const std::vector<InputLine>& script) {
    KeyLatchCtrl = 1;
    ScriptKeys(script);
    RunSkillMenu(&p, &q);
  }
  uint32_t FlipsOf(void (*run)(MenuTest*)) {
    const uint32_t before = FlipCount();
    run(this);
    return FlipCount() - before;
  }
};

TEST_F(MenuTest, BuyingSpendsThePriceAndTheOtherWorldLearnsAtTheClose) {
  p.skillPoints = 25;
  q.skillPoints = 3;
  // Ctrl still held from the opening does not close the menu.
  Menu({{0, {VK_CONTROL}}, {3, {}}, {4, {VK_RIGHT}}, {5, {}}, {6, {VK_RIGHT}}, {7, {}},
        {8, {VK_RETURN}}, {9, {}}, {10, {'Y'}}, {11, {}}, {12, {VK_CONTROL}}});
  EXPECT_EQ(p.skills[SkillRising].level * 1000 + p.skills[SkillRising].cost, 1022);
  EXPECT_EQ(p.skillPoints, 5);
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(q.skills[i].level, p.skills[i].level);
    EXPECT_EQ(q.skills[i].cost, p.skills[i].cost);
  }
  EXPECT_EQ(q.skillPoints, 3);
  EXPECT_EQ(Plays("SeOk") - ok + Plays("SeLvup") - lvup, 2u);
}

// Slot 2 costs 20 of the 19 points; the cell two rows below it (index 8) is
// not offered; then the maximum HP (index 4) is bought.
TEST_F(MenuTest, TooDearAndEmptyCellsAreRefusedAndMaximumHpFollowsItsLevel) {
  p.skillPoints = 19;
  p.skills[SkillMaxHp].cost = 19;
  Menu({{0, {}}, {4, {VK_RIGHT}}, {5, {}}, {6, {VK_RIGHT}}, {7, {}}, {8, {VK_RETURN}}, {9, {}},
        {10, {VK_DOWN}}, {11, {}}, {12, {VK_DOWN}}, {13, {}}, {14, {VK_RETURN}}, {15, {}}, {16, {VK_UP}},
        {17, {}}, {18, {VK_LEFT}}, {19, {}}, {20, {VK_RETURN}}, {21, {}}, {22, {'Y'}}, {23, {}}, {24, {VK_CONTROL}}});
  EXPECT_EQ(Plays("SeNo"), no + 2);
  EXPECT_EQ(Plays("SeOk"), ok + 1);
  EXPECT_EQ(p.skills[SkillMaxHp].level, 2);
  EXPECT_EQ(p.maxHp * 1000 + q.maxHp, 110110);
  EXPECT_EQ(p.body.hp, 100);
}

// Enter held through the question does not answer it; once released, the
// next Enter buys, and held on, asks nothing more.
TEST_F(MenuTest, AnEnterPressBuysAtMostOnce) {
  p.skillPoints = 1000;
  Menu({{0, {}}, {4, {VK_RETURN}}, {20, {}}, {22, {VK_RETURN}}, {40, {}}, {42, {VK_CONTROL}}});
  EXPECT_EQ(p.skills[SkillSlash].level, 2);
  EXPECT_EQ(Plays("SeOk") - ok + Plays("SeLvup") - lvup, 2u);
}

TEST_F(MenuTest, PricesRiseByATenthRoundedDownAndTheQuestionSaysWhatIsBought) {
  char text[128];
  SkillSlot slot{0, 10};
  FormatPurchaseQuestion(text, sizeof text, slot);
  EXPECT_EQ(Cp932ToUtf8(text), "SPを10消費してこのスキルを覚えますか？");
  int32_t points = 1000;
  HoldKeys({'Y'});
  std::vector<int32_t> prices;
  while (prices.size() < 12 && ConfirmSkillPurchase(&slot, &points) == 1) prices.push_back(slot.cost);
  EXPECT_EQ(prices, (std::vector<int32_t>{11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 24}));
  EXPECT_EQ(points, 1000 - (10 + 11 + 12 + 13 + 14 + 15 + 16 + 17 + 18 + 19 + 20 + 22));
  FormatPurchaseQuestion(text, sizeof text, slot);
  EXPECT_EQ(Cp932ToUtf8(text), "SPを24消費してこのスキルのLVを上げますか？");
  HoldKeys({'N'});
  EXPECT_EQ(ConfirmSkillPurchase(&slot, &points), -1);
}

// Ctrl must be let go between opening and closing, and after closing
// before the menu opens again.
TEST_F(MenuTest, CtrlOpensAndClosesOncePerPress) {
  auto frame = [](MenuTest* t) { t->Frame(); };
  ScriptKeys({{0, {VK_CONTROL}}, {5, {}}, {6, {VK_CONTROL}}});
  EXPECT_GT(FlipsOf(frame), 6u);
  EXPECT_EQ(FlipsOf(frame), 1u);  // Ctrl still down
  HoldKeys({});
  EXPECT_EQ(FlipsOf(frame), 1u);
  ScriptKeys({{0, {VK_CONTROL}}, {5, {}}, {6, {VK_CONTROL}}});
  EXPECT_GT(FlipsOf(frame), 6u);
}

// ---- The death dialog -----------------------------------------------------------

TEST_F(MenuTest, ContinuingCostsTwoLevelsAndRestoresBothCharacters) {
  for (int i = 0; i < 5; i++) p.skills[i] = SkillSlot{i, 10 + i};
  p.skills[7].level = 4;
  p.maxHp = 130;
  p.body.dead = 2;
  p.body.hurt = q.body.hurt = 1;
  q.skillPoints = 77;
  // Return still held from a purchase does not answer; Y does.
  KeyLatchEnter = 1;
  ScriptKeys({{0, {VK_RETURN}}, {3, {'Y', 'N'}}});
  EXPECT_EQ(FlipsOf([](MenuTest* t) { RunDeathDialog(&t->p, &t->q); }), 3u);
  for (int i = 0; i < 5; i++) {
    EXPECT_EQ(q.skills[i].level, std::max(i - 2, 0));
    EXPECT_EQ(q.skills[i].cost, 10 + i);
  }
  EXPECT_EQ(p.skills[2].level, 0);
  EXPECT_EQ(p.skills[7].level, 4);
  EXPECT_EQ(q.skillPoints, 77);
  for (const Body* b : {&p.body, &q.body})
    EXPECT_EQ(std::vector<int>({b->dead, b->hp, b->invuln, b->hurt}), std::vector<int>({0, 130, 70, 0}));
  EXPECT_EQ(Plays("SeLvup"), lvup + 1);
}

}  // namespace
