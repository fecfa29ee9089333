// The head-up display: gauge, inset, combo banner, and the digit routines.
#include <gtest/gtest.h>

#include "gfx/hud.h"
#include "support/display_fixture.h"

namespace {

class Hud : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenTestDisplay();
    // Each glyph g is painted in index 50 + g; everything else is clear.
    SmallDigits = MakeSurface(100, 17, TransparentIndex);
    for (int g = 0; g < 10; g++)
      for (int x = g == 0 ? 0 : 10 * g + 1; x < 10 * g + 10; x++)
        for (int y = 0; y < 17; y++) SetPixel(SmallDigits, x, y, static_cast<BYTE>(50 + g));
    LargeDigits = MakeSurface(351, 34, TransparentIndex);
    for (int g = 0; g < 10; g++)
      for (int x = 27 * g; x < 27 * g + 26; x++)
        for (int y = 0; y < 34; y++) SetPixel(LargeDigits, x, y, static_cast<BYTE>(50 + g));
    for (int x = 269; x < 351; x++) SetPixel(LargeDigits, x, 10, 77);  // the caption
    BackBuffer->pixels.assign(BackBuffer->pixels.size(), 9);
    ComboCount = 0;
    ComboBannerX = 0;
  }
  void TearDown() override {
    // Released and forgotten: later tests must not draw from freed surfaces.
    Release(SmallDigits);
    Release(LargeDigits);
    SmallDigits = LargeDigits = nullptr;
    CloseTestDisplay();
  }
  BYTE At(int x, int y) { return PixelAt(BackBuffer, x, y); }
  // The glyphs drawn along a row, as a string of digits and blanks.
  std::string Read(int x, int y, int pitch, int positions) {
    std::string s;
    for (int i = 0; i < positions; i++) {
      BYTE v = At(x + pitch * i + 5, y + 5);
      s += v >= 50 && v < 60 ? static_cast<char>('0' + v - 50) : ' ';
    }
    return s;
  }
};

TEST_F(Hud, GaugeShowsHitPointsOnePixelEach) {
  WhiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  DrawGauge(BackBuffer, pen, red, 200, 20, 100, 10, 100);
  EXPECT_EQ(At(201, 25), 1);
  EXPECT_EQ(At(298, 25), 1);
  EXPECT_EQ(At(299, 25), 0);
  EXPECT_EQ(At(300, 25), 9);
  DrawGauge(BackBuffer, pen, red, 200, 20, 110, 10, 30);
  EXPECT_EQ(At(228, 25), 1);
  EXPECT_EQ(At(229, 25), 0);
  EXPECT_EQ(At(230, 25), 255);
  EXPECT_EQ(At(308, 25), 255);  // one level of max HP: 110 pixels wide
  EXPECT_EQ(At(309, 25), 0);
  DeleteObject(pen);
  DeleteObject(red);
}

TEST_F(Hud, InsetTakesEveryFourthPixelIncludingTransparentOnes) {
  DDSurface* other = MakeSurface(640, 480, 3);
  SetPixel(other, 40, 20, 44);
  SetPixel(other, 636, 476, TransparentIndex);
  DrawInset(BackBuffer, other);
  EXPECT_EQ(At(10, 5), 44);
  EXPECT_EQ(At(159, 119), TransparentIndex);
  EXPECT_EQ(At(0, 0), 3);
  EXPECT_EQ(At(160, 0), 9);
  EXPECT_EQ(At(0, 120), 9);
  Release(other);
}

TEST_F(Hud, NumbersBlankTheirLeadingZeros) {
  DrawSmallNumber(100, 100, 7, 2);
  EXPECT_EQ(Read(100, 100, 10, 2), " 7");
  DrawSmallNumber(100, 200, 0, 2);
  EXPECT_EQ(Read(100, 200, 10, 2), " 0");
  DrawSmallNumber(100, 300, 1203, 4);
  EXPECT_EQ(Read(100, 300, 10, 4), "1203");
  DrawSmallNumber(300, 300, 1203, 2);  // the last two positions
  EXPECT_EQ(Read(300, 300, 10, 2), " 3");
  DrawLargeNumber(3, 440, 0);
  EXPECT_EQ(Read(440, 0, 27, 4), "   3");
  EXPECT_EQ(At(521, 5), 53);  // the fourth position of a number at 440
  DrawLargeNumber(0, 100, 400);
  EXPECT_EQ(Read(100, 400, 27, 4), "   0");
  EXPECT_EQ(DrawLargeNumber(905, 100, 60), 4);
  EXPECT_EQ(Read(100, 60, 27, 4), " 905");
}

TEST_F(Hud, NumbersBeyondFourDigitsShowTheLargestThatFits) {
  DrawLargeNumber(10003, 100, 100);
  EXPECT_EQ(Read(100, 100, 27, 4), "9999");
  DrawSmallNumber(100, 300, -5, 4);
  EXPECT_EQ(Read(100, 300, 10, 4), "   0");
}

TEST_F(Hud, BannerHoldsThenSlidesOutAndClearsTheCount) {
  ComboCount = 3;
  ComboBannerX = BannerRestartX;
  int framesAt440 = 0, slidingFrames = 0;
  for (int frame = 0; frame < 300 && ComboBannerX < 640; frame++) {
    BackBuffer->pixels.assign(BackBuffer->pixels.size(), 9);
    const int left = ComboBannerX < 440 ? 440 : ComboBannerX;
    DrawComboBanner(ComboCount);
    if (left == 440) {
      framesAt440++;
      EXPECT_EQ(At(521 + 5, 5), 53);
      EXPECT_EQ(At(548, 10), 77);  // the caption after four positions
    } else {
      slidingFrames++;
    }
  }
  EXPECT_EQ(framesAt440, 169);
  EXPECT_EQ(slidingFrames, 39);
  EXPECT_EQ(ComboCount, 0);
  // Hidden now: nothing is drawn and nothing moves.
  BackBuffer->pixels.assign(BackBuffer->pixels.size(), 9);
  ComboCount = 2;
  DrawComboBanner(ComboCount);
  EXPECT_EQ(ComboCount, 2);
  EXPECT_EQ(At(526, 5), 9);
}

TEST_F(Hud, BannerAfterAHurtStandsSeventeenFrames) {
  ComboBannerX = BannerHurtX;
  int framesAt440 = 0;
  while (ComboBannerX < 640) {
    if (ComboBannerX <= 440) framesAt440++;
    DrawComboBanner(0);
  }
  EXPECT_EQ(framesAt440, 17);
}

}  // namespace
