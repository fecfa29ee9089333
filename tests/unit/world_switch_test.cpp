// Space: the zoom out of the inset, and when the frame driver lets it start.
#include <gtest/gtest.h>

#include "app/world_switch.h"
#include "support/display_fixture.h"
#include "world_fixture.h"

namespace {

constexpr BYTE Frozen = 7, Other = 5;  // the active world's background, the other world

struct WorldSwitchTest : ::testing::Test, TwoWorlds {
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
    OtherWorldSurface = MakeSurface(640, 480);
    Frame();  // settles in the standing pose
  }
  void TearDown() override {
    for (DDSurface** s : {&BackgroundSurface, &WorkSurface, &OtherWorldSurface}) Release(*s), *s = nullptr;
    CloseTestDisplay();
    HoldKeys({});
  }
  // Frames of whichever world is active, as the main loop runs them, until
  // the active world changes; 0 when it has not after `most`.
  int FramesToSwitch(int most = 40) {
    const signed char mode = GameMode;
    for (int n = 1; n <= most; n++) {
      for (const uint32_t before = FramesOfPlay; FramesOfPlay == before;)
        GameMode == ModeWorldA ? RunFrame(&p, &q, &e, &f, &a.map, &b.map) : RunFrame(&q, &p, &f, &e, &b.map, &a.map);
      if (GameMode != mode) return n;
    }
    return 0;
  }
};

TEST_F(WorldSwitchTest, TheOtherWorldGrowsOverTheFrozenOneInSixteenFrames) {
  FillRect(OtherWorldSurface, 0, 0, 640, 480, Other);
  FillRect(OtherWorldSurface, 320, 240, 340, 260, TransparentIndex);
  uint8_t active = 1;
  for (int frame = 1; frame <= 16; frame++) {
    RunWorldSwitch(&p, nullptr, &a.map, &e, &active);
    const int w = std::min(160 + 32 * frame, 640), h = w * 3 / 4;
    EXPECT_EQ(SwitchZoomWidth * 1000 + SwitchZoomHeight, w * 1000 + h) << frame;
    EXPECT_EQ(PixelAt(BackBuffer, w - 1, h - 1), Other) << frame;
    EXPECT_EQ(PixelAt(BackBuffer, std::min(w, 639), 479), w < 640 ? Frozen : Other) << frame;
    EXPECT_EQ(active == 0 && GameMode == ModeWorldB, frame == 16) << frame;
  }
  EXPECT_EQ(PixelAt(BackBuffer, 330, 250), Frozen);  // through the transparent index
}

TEST_F(WorldSwitchTest, HeldSpaceSwitchesBackAndOnlyAStandingCharacterSwitches) {
  const int x = q.body.x;
  q.body.hp = 60;
  HoldKeys({VK_SPACE});
  EXPECT_EQ(FramesToSwitch(), 16);
  EXPECT_EQ(p.body.hp, 60);  // shared all the same
  EXPECT_EQ(q.body.x, x);
  // The new active character first takes its standing pose.
  EXPECT_EQ(FramesToSwitch(), 1 + 16);
  HoldKeys({VK_SPACE, VK_RIGHT});  // running
  EXPECT_EQ(FramesToSwitch(), 0);
  HoldKeys({'Z'});
  Frame();
  HoldKeys({'Z', VK_SPACE});  // in the air
  EXPECT_EQ(FramesToSwitch(10), 0);
}

}  // namespace
