// Sprite copies: clipping at the screen's edges, the colour key, the white
// silhouette, and the stretching copy of the world switch.
#include <gtest/gtest.h>

#include "support/display_fixture.h"

namespace {

class SpriteCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenTestDisplay();
    // A 32 x 32 sprite whose pixel value is its column, with a transparent
    // hole in its top-left 4 x 4 corner.
    sprite = MakeSurface(64, 64, TransparentIndex);
    for (int y = 0; y < 32; y++)
      for (int x = 0; x < 32; x++) SetPixel(sprite, x, y, static_cast<BYTE>(x < 4 && y < 4 ? TransparentIndex : 10 + x));
    dest = MakeSurface(640, 480, 7);
  }
  void TearDown() override {
    Release(sprite);
    Release(dest);
    CloseTestDisplay();
  }
  int CountNot(BYTE value) {
    int n = 0;
    for (int y = 0; y < 480; y++)
      for (int x = 0; x < 640; x++) n += PixelAt(dest, x, y) != value;
    return n;
  }
  DDSurface* sprite;
  DDSurface* dest;
};

TEST_F(SpriteCopy, LeftEdgeCutsTheSourceColumns) {
  BltClipped(dest, -10, 100, sprite, 0, 0, 32, 32, BltOpaque);
  // Source columns 10 to 31 land at x 0 to 21.
  EXPECT_EQ(PixelAt(dest, 0, 110), 10 + 10);
  EXPECT_EQ(PixelAt(dest, 21, 110), 10 + 31);
  EXPECT_EQ(PixelAt(dest, 22, 110), 7);
  EXPECT_EQ(CountNot(7), 22 * 32);
}

TEST_F(SpriteCopy, RightAndBottomEdgesCut) {
  BltClipped(dest, 620, 470, sprite, 0, 0, 32, 32, BltOpaque);
  EXPECT_EQ(PixelAt(dest, 639, 479), 10 + 19);
  EXPECT_EQ(CountNot(7), 20 * 10);
}

TEST_F(SpriteCopy, TopEdgeShowsTheLowerPart) {
  BltClipped(dest, 50, -30, sprite, 0, 0, 32, 32, BltOpaque);
  EXPECT_EQ(CountNot(7), 32 * 2);
  EXPECT_EQ(PixelAt(dest, 50, 0), 10);  // source row 30, column 0
}

TEST_F(SpriteCopy, WhollyOffScreenDrawsNothing) {
  BltClipped(dest, 640, 10, sprite, 0, 0, 32, 32, BltOpaque);
  BltClipped(dest, -32, 10, sprite, 0, 0, 32, 32, BltOpaque);
  BltClipped(dest, 10, 480, sprite, 0, 0, 32, 32, BltOpaque);
  BltClipped(dest, 10, -40, sprite, 0, 0, 32, 32, BltOpaque);
  BltClipped(dest, -5000, -5000, sprite, 0, 0, 32, 32, BltKeyed);
  EXPECT_EQ(CountNot(7), 0);
}

TEST_F(SpriteCopy, ColourKeyLeavesTheDestinationShowing) {
  BltClipped(dest, 0, 0, sprite, 0, 0, 32, 32, BltKeyed);
  EXPECT_EQ(PixelAt(dest, 0, 0), 7);
  EXPECT_EQ(PixelAt(dest, 3, 3), 7);
  EXPECT_EQ(PixelAt(dest, 4, 3), 14);
  BltClipped(dest, 100, 0, sprite, 0, 0, 32, 32, BltOpaque);
  EXPECT_EQ(PixelAt(dest, 100, 0), TransparentIndex);
}

TEST_F(SpriteCopy, RectanglesBeyondEitherSurfaceCopyOnlyWhatIsInside) {
  // Source rectangle reaching past the sheet, and a destination beyond a
  // small surface: only pixels inside both move, nothing else is touched.
  DDSurface* small = MakeSurface(40, 40, 3);
  RECT r{50, 50, 200, 200};
  EXPECT_EQ(BltFast(small, 10, 10, sprite, &r, BltOpaque), DD_OK);
  EXPECT_EQ(PixelAt(small, 10, 10), TransparentIndex);
  EXPECT_EQ(PixelAt(small, 9, 9), 3);
  RECT inverted{20, 0, 10, 10};
  EXPECT_NE(BltFast(small, 0, 0, sprite, &inverted, BltOpaque), DD_OK);
  RECT empty{5, 5, 5, 20};
  EXPECT_NE(BltFast(small, 0, 0, sprite, &empty, BltOpaque), DD_OK);
  RECT negative{-20, -20, 10, 10};
  BltFast(small, 0, 0, sprite, &negative, BltOpaque);
  EXPECT_EQ(PixelAt(small, 20 + 5, 20 + 5), 10 + 5);
  Release(small);
}

TEST_F(SpriteCopy, SilhouetteIsWhiteWhereTheSpriteIs) {
  BltSilhouette(dest, -10, 0, sprite, 0, 0, 32, 32);
  EXPECT_EQ(PixelAt(dest, 0, 0), FlashIndex);  // source column 10
  EXPECT_EQ(PixelAt(dest, 21, 31), FlashIndex);
  EXPECT_EQ(PixelAt(dest, 22, 0), 7);
  EXPECT_EQ(CountNot(7), 22 * 32);
  dest->pixels.assign(dest->pixels.size(), 7);
  BltSilhouette(dest, 200, 200, sprite, 0, 0, 4, 4);  // the transparent corner
  EXPECT_EQ(CountNot(7), 0);
  BltSilhouette(dest, 600, 450, sprite, 40, 40, 300, 300);  // past the sheet
  EXPECT_EQ(CountNot(7), 0);
}

TEST_F(SpriteCopy, StretchIsNearestPixelAndKeepsTheKey) {
  DDSurface* src = MakeSurface(640, 480, 5);
  SetPixel(src, 0, 0, TransparentIndex);
  SetPixel(src, 639, 479, 9);
  RECT to{0, 0, 160, 120};
  Blt(dest, &to, src, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
  EXPECT_EQ(PixelAt(dest, 80, 60), 5);
  EXPECT_EQ(PixelAt(dest, 160, 60), 7);
  RECT full{0, 0, 640, 480};
  SetPixel(src, 0, 0, TransparentIndex);
  dest->pixels.assign(dest->pixels.size(), 7);
  Blt(dest, &full, src, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
  EXPECT_EQ(PixelAt(dest, 0, 0), 7);  // the key lets the picture below show
  EXPECT_EQ(PixelAt(dest, 639, 479), 9);
  // Growing: each source pixel covers a 4 x 4 block.
  DDSurface* tiny = MakeSurface(2, 2, 0);
  SetPixel(tiny, 1, 0, 1);
  RECT grow{0, 0, 8, 8};
  Blt(dest, &grow, tiny, nullptr, DDBLT_WAIT, nullptr);
  EXPECT_EQ(PixelAt(dest, 3, 0), 0);
  EXPECT_EQ(PixelAt(dest, 4, 0), 1);
  EXPECT_EQ(PixelAt(dest, 7, 3), 1);
  EXPECT_EQ(PixelAt(dest, 7, 4), 0);
  // A destination reaching past the surface is cut, never written outside.
  RECT past{600, 450, 900, 700};
  Blt(dest, &past, src, nullptr, DDBLT_WAIT, nullptr);
  EXPECT_EQ(PixelAt(dest, 639, 479), 5);
  Release(tiny);
  Release(src);
}

TEST_F(SpriteCopy, FlipSwapsTheBuffers) {
  BackBuffer->pixels.assign(BackBuffer->pixels.size(), 4);
  PrimarySurface->pixels.assign(PrimarySurface->pixels.size(), 6);
  Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  EXPECT_EQ(PixelAt(PrimarySurface, 5, 5), 4);
  EXPECT_EQ(PixelAt(BackBuffer, 5, 5), 6);
}

}  // namespace
