// Space: the zoom out of the inset, and when the frame driver lets it start.
#include <gtest/gtest.h>

#include "app/world_switch.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

constexpr BYTE Frozen = 7;  // the active world's background
constexpr BYTE Other = 5;   // the other world's picture

struct WorldSwitchTest : ::testing::Test, TwoWorlds {
  uint8_t active = 1;

  void SetUp() override {
    OpenTestDisplay();
    Start(40, 20);
    FillRow(&a, 15, 0, 39, 1);
    FillRow(&b, 15, 0, 39, 1);
    p.body.y = q.body.y = 320 - 25;
    GameMode = ModeWorldA;
    SwitchPhase = SwitchIdle;
    BackgroundSurface = MakeSurface(640, 480, Frozen);
    WorkSurface = MakeSurface(640, 480);
    OtherWorldSurface = MakeSurface(640, 480, Other);
    Frame();  // settles in the standing pose
  }
  void TearDown() override {
    for (DDSurface** s : {&BackgroundSurface, &WorkSurface, &OtherWorldSurface}) {
      Release(*s);
      *s = nullptr;
    }
    CloseTestDisplay();
    HoldKeys({});
  }
  // One frame of whichever world is active, as the main loop runs it.
  void PlayFrame() {
    const uint32_t before = FramesOfPlay;
    while (FramesOfPlay == before) {
      if (GameMode == ModeWorldA) RunFrame(&p, &q, &e, &f, &a.map, &b.map);
      else RunFrame(&q, &p, &f, &e, &b.map, &a.map);
    }
  }
  // Frames until the active world changes, at most 40.
  int FramesToSwitch() {
    const signed char mode = GameMode;
    for (int n = 1; n <= 40; n++) {
      PlayFrame();
      if (GameMode != mode) return n;
    }
    return 0;
  }
};

TEST_F(WorldSwitchTest, TheOtherWorldGrowsOverTheFrozenOneInSixteenFrames) {
  FillRect(OtherWorldSurface, 0, 0, 640, 480, Other);
  // The other world's transparent index shows the frozen world through.
  FillRect(OtherWorldSurface, 320, 240, 340, 260, TransparentIndex);
  for (int frame = 1; frame <= 16; frame++) {
    RunWorldSwitch(&p, nullptr, &a.map, &e, &active);
    const int w = std::min(160 + 32 * frame, 640), h = std::min(120 + 24 * frame, 480);
    EXPECT_EQ(SwitchZoomWidth, w);
    EXPECT_EQ(SwitchZoomHeight, h);
    EXPECT_EQ(PixelAt(BackBuffer, w - 1, h - 1), Other) << frame;
    if (w < 640) {
      EXPECT_EQ(PixelAt(BackBuffer, w, h), Frozen) << frame;
    }
    EXPECT_EQ(GameMode, frame < 16 ? ModeWorldA : ModeWorldB) << frame;
    EXPECT_EQ(active, frame < 16 ? 1 : 0) << frame;
  }
  EXPECT_EQ(SwitchPhase, SwitchIdle);
  EXPECT_EQ(PixelAt(BackBuffer, 330, 250), Frozen);
  EXPECT_EQ(PixelAt(BackBuffer, 319, 250), Other);
}

TEST_F(WorldSwitchTest, OnlyTheStandingCharacterSwitches) {
  const int x = p.body.x;
  HoldKeys({VK_SPACE, VK_RIGHT});
  Frames(5);
  EXPECT_EQ(WorldSwitchActive, 0);
  EXPECT_GT(p.body.x, x);
  HoldKeys({'Z'});
  Frame();
  HoldKeys({'Z', VK_SPACE});
  Frames(5);
  EXPECT_EQ(WorldSwitchActive, 0);
  EXPECT_EQ(p.body.air, Airborne);
}

TEST_F(WorldSwitchTest, HoldingSpaceSwitchesBackWhenTheNewCharacterStands) {
  q.body.x = 100;
  HoldKeys({VK_SPACE});
  PlayFrame();
  ASSERT_EQ(WorldSwitchActive, 1);
  q.body.hp = 60;
  // During the switch nobody moves, but hit points are still shared.
  EXPECT_EQ(FramesToSwitch(), 15);
  EXPECT_EQ(p.body.hp, 60);
  EXPECT_EQ(q.body.x, 100);
  EXPECT_EQ(WorldSwitchActive, 0);
  // The new active character first takes its standing pose, then the next
  // switch starts.
  EXPECT_EQ(FramesToSwitch(), 1 + 16);
  EXPECT_EQ(GameMode, ModeWorldA);
}

}  // namespace
