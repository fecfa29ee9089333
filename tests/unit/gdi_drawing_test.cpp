// GDI on a surface: the fill and outline rule of figures, colours mapped to
// the palette, and Japanese text.
#include <gtest/gtest.h>

#include "platform/picture/font.h"
#include "platform/picture/message_box.h"
#include "platform/picture/text_encoding.h"
#include "support/display_fixture.h"

namespace {

class GdiDrawing : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenTestDisplay();
    surface = MakeSurface(640, 480, 7);
    GetDC(surface, &dc);
  }
  void TearDown() override {
    ReleaseDC(surface, dc);
    Release(surface);
    CloseTestDisplay();
  }
  BYTE At(int x, int y) { return PixelAt(surface, x, y); }
  // Pixels with a value in a rectangle [x0, x1) x [y0, y1).
  int Count(BYTE v, int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y++)
      for (int x = x0; x < x1; x++) n += At(x, y) == v;
    return n;
  }
  DDSurface* surface;
  HDC dc;
};

TEST_F(GdiDrawing, GaugeRectanglesFollowTheFillAndOutlineRule) {
  // The HP gauge at 30 of 100: white background outlined, red part outlined.
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(dc, pen);
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  Rectangle(dc, 200, 20, 300, 30);
  SelectObject(dc, red);
  Rectangle(dc, 200, 20, 230, 30);
  // The figure covers x 200..299 and y 20..29 and nothing more.
  EXPECT_EQ(At(199, 25), 7);
  EXPECT_EQ(At(300, 25), 7);
  EXPECT_EQ(At(250, 19), 7);
  EXPECT_EQ(At(250, 30), 7);
  // Outlines in black on the figures' edges.
  EXPECT_EQ(At(200, 25), 0);
  EXPECT_EQ(At(299, 25), 0);
  EXPECT_EQ(At(250, 20), 0);
  EXPECT_EQ(At(250, 29), 0);
  EXPECT_EQ(At(229, 25), 0);
  // Red inside the filled part, white in the rest.
  EXPECT_EQ(Count(1, 201, 21, 229, 29), 28 * 8);
  EXPECT_EQ(Count(255, 230, 21, 299, 29), 69 * 8);
  DeleteObject(pen);
  DeleteObject(red);
}

TEST_F(GdiDrawing, NullPenFillsTheWholeFigureAndCornersMayComeInAnyOrder) {
  SelectObject(dc, GetStockObject(NULL_PEN));
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Rectangle(dc, 20, 20, 10, 10);
  EXPECT_EQ(Count(0, 0, 0, 640, 480), 100);
  EXPECT_EQ(At(10, 10), 0);
  EXPECT_EQ(At(19, 19), 0);
  Rectangle(dc, 50, 50, 50, 60);  // no width: nothing
  EXPECT_EQ(Count(0, 0, 0, 640, 480), 100);
}

TEST_F(GdiDrawing, RoundRectIsWhiteInsideABlackOutlineWithCutCorners) {
  RoundRect(dc, 100, 200, 540, 220, 10, 10);
  EXPECT_EQ(At(100, 200), 7);  // the corner is cut away
  EXPECT_EQ(At(320, 200), 0);  // top edge
  EXPECT_EQ(At(320, 219), 0);  // bottom edge
  EXPECT_EQ(At(100, 210), 0);  // left edge
  EXPECT_EQ(At(539, 210), 0);  // right edge
  EXPECT_EQ(At(320, 210), 255);
  EXPECT_EQ(At(540, 210), 7);
  EXPECT_EQ(At(320, 220), 7);
  // Every row starts with the outline and is white in the middle.
  for (int y = 201; y < 219; y++) {
    int first = 100;
    while (At(first, y) == 7) first++;
    EXPECT_EQ(At(first, y), 0) << y;
    EXPECT_LE(first, 105) << y;
    EXPECT_EQ(At(320, y), 255) << y;
  }
}

TEST_F(GdiDrawing, PatBltBlacknessUsesTheFirstPaletteEntry) {
  PatBlt(dc, -10, -10, 30, 30, BLACKNESS);
  EXPECT_EQ(Count(0, 0, 0, 640, 480), 20 * 20);
}

TEST_F(GdiDrawing, ColoursMapToTheNearestEntryOfThePaletteInForce) {
  HBRUSH nearlyRed = CreateSolidBrush(RGB(250, 10, 5));
  SelectObject(dc, GetStockObject(NULL_PEN));
  SelectObject(dc, nearlyRed);
  Rectangle(dc, 0, 0, 2, 2);
  EXPECT_EQ(At(0, 0), 1);
  HBRUSH grey = CreateSolidBrush(RGB(100, 101, 99));
  SelectObject(dc, grey);
  Rectangle(dc, 0, 0, 2, 2);
  EXPECT_EQ(At(1, 1), 100);
  DeleteObject(nearlyRed);
  DeleteObject(grey);
}

TEST_F(GdiDrawing, TextInCodePage932BreaksAtLineFeedsAndClips) {
  ASSERT_TRUE(FontAvailable()) << "the asset builder cuts the glyph sheet";
  SetTextColor(dc, RGB(255, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  // "はい\nYes" in code page 932: two full-width characters, then a line of
  // three half-width ones.
  const char text[] = "\x82\xcd\x82\xa2\nYes";
  RECT r{100, 100, 600, 400};
  EXPECT_EQ(DrawTextA(dc, text, -1, &r, 0), 32);
  // First line: 32 pixels wide, 16 high; second line: 24 wide, below it.
  EXPECT_GT(Count(1, 100, 100, 132, 116), 10);
  EXPECT_EQ(Count(1, 132, 100, 200, 116), 0);
  EXPECT_GT(Count(1, 100, 116, 124, 132), 10);
  EXPECT_EQ(Count(1, 124, 116, 200, 132), 0);
  // Nothing but ink was drawn: the background stayed.
  EXPECT_EQ(Count(1, 0, 0, 640, 480) + Count(7, 0, 0, 640, 480), 640 * 480);

  // Clipped to a rectangle one glyph wide and half a line high.
  surface->pixels.assign(surface->pixels.size(), 7);
  RECT small{10, 10, 26, 18};
  DrawTextA(dc, text, -1, &small, 0);
  EXPECT_GT(Count(1, 10, 10, 26, 18), 0);
  EXPECT_EQ(Count(1, 0, 0, 640, 480), Count(1, 10, 10, 26, 18));
}

TEST_F(GdiDrawing, ACharacterWithoutAGlyphIsABoxAndTheRestOfTheCodePageIsThereWhenNeeded) {
  ASSERT_TRUE(FontAvailable());
  SetTextColor(dc, RGB(255, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  // A, a user-defined character (no glyph anywhere), a kanji none of the
  // game's texts holds (so from names.hex), B.
  const char text[] = "A\xF0\x40\x9F\x54" "B";
  RECT measure{100, 100, 600, 400};
  DrawTextA(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(measure.right - measure.left, 8 + 16 + 16 + 8);
  RECT r{100, 100, 600, 400};
  DrawTextA(dc, text, -1, &r, DT_SINGLELINE);
  // The box: the outline of 14 x 12 pixels inside its cell.
  EXPECT_EQ(Count(1, 108, 100, 124, 116), 2 * 14 + 2 * 10);
  EXPECT_EQ(At(109, 102), 1);
  EXPECT_EQ(At(112, 106), 7);
  EXPECT_GT(Count(1, 124, 100, 140, 116), 20);
  EXPECT_GT(Count(1, 140, 100, 148, 116), 10);
}

TEST_F(GdiDrawing, OpaqueTextFillsItsCells) {
  ASSERT_TRUE(FontAvailable());
  SetTextColor(dc, RGB(0, 0, 0));
  SetPaperColour(dc, RGB(0, 255, 0));
  RECT r{0, 0, 640, 480};
  DrawTextA(dc, "AB", -1, &r, 0);
  EXPECT_EQ(Count(0, 0, 0, 16, 16) + Count(2, 0, 0, 16, 16), 256);
  EXPECT_EQ(At(16, 0), 7);
}

// A path too long for the box or the notice keeps its start and its file
// name; the middle goes.
TEST(MessageBoxText, ALongPathLosesItsMiddle) {
  ASSERT_TRUE(FontAvailable()) << "the asset builder cuts the glyph sheet";
  const std::string path = "/home/player/" + std::string(80, 'x') + "/image/stage1/back.BMP";
  const std::string shown = FitTextToWidth(path.c_str(), 300);
  EXPECT_EQ(shown.rfind("/home/player/", 0), 0u) << shown;
  EXPECT_EQ(shown.substr(shown.size() - 8), "back.BMP") << shown;
  EXPECT_NE(shown.find("…"), std::string::npos) << shown;
  int width = 0;
  for (char32_t c : DecodeUtf8(shown.c_str())) width += FindGlyph(c) ? FindGlyph(c)->width : 0;
  EXPECT_LE(width, 300) << shown;
  EXPECT_GT(width, 280) << shown;
  EXPECT_EQ(FitTextToWidth("/short/path.BMP", 300), "/short/path.BMP");
}

}  // namespace
