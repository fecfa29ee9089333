// Palette fades: the steps each fade shows and the palette it leaves.
#include <gtest/gtest.h>

#include "gfx/fade.h"
#include "platform/picture/shown_picture.h"
#include "support/display_fixture.h"

namespace {

// Every palette shown, as the backend is asked to show it.
std::vector<std::vector<PALETTEENTRY>> Shown;
void RecordPresent(const uint8_t*, int, const PALETTEENTRY* p) { Shown.emplace_back(p, p + 256); }
bool OpenNothing(const WindowRequest&) { return true; }
void Nothing() {}
bool NoEvents() { return false; }
uint32_t NoTicks() { return 0; }
void NoKeys(uint8_t*) {}
bool NoBox(const char*, const char*, bool (*)()) { return false; }
// No audio, no waits.
const Backend Recorder = {.open = OpenNothing,
                          .close = Nothing,
                          .present = RecordPresent,
                          .pumpEvents = NoEvents,
                          .ticks = NoTicks,
                          .sampleKeyboard = NoKeys,
                          .samplePads = NoKeys,
                          .samplePointer = nullptr,
                          .messageBox = NoBox,
                          .openAudio = nullptr,
                          .closeAudio = nullptr,
                          .lockAudio = nullptr,
                          .unlockAudio = nullptr,
                          .delay = nullptr,
                          .applyWindow = nullptr,
                          .fullScreen = nullptr,
                          .largestScale = nullptr,
                          .releaseHeldAudio = nullptr,
                          .handLink = nullptr,
                          .filesWritten = nullptr};

class PaletteFade : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenTestDisplay();
    ActiveBackend = &Recorder;
    for (int i = 0; i < 256; i++) palette[i] = PALETTEENTRY{255, 20, 128, 5};
    Shown.clear();
  }
  void TearDown() override {
    ActiveBackend = nullptr;
    CloseTestDisplay();
  }
  PALETTEENTRY palette[256];
};

TEST_F(PaletteFade, OutInStepsOfTwentyReachesBlackAndKeepsTheColours) {
  FadeOut(20, palette);
  ASSERT_EQ(Shown.size(), 13u);
  for (size_t n = 0; n < 12; n++) EXPECT_EQ(Shown[n][9].peRed, 255 - 20 * (n + 1)) << n;
  EXPECT_EQ(Shown[12][9].peRed, 0);
  EXPECT_EQ(Shown[0][9].peGreen, 0);  // 20 is not greater than 20
  EXPECT_EQ(Shown[0][9].peFlags, 0);
  EXPECT_EQ(PaletteInForce()[9].peRed, 0);
  // The array gets its colours back, with flags 0.
  EXPECT_EQ(palette[9].peRed, 255);
  EXPECT_EQ(palette[9].peGreen, 20);
  EXPECT_EQ(palette[9].peBlue, 128);
  EXPECT_EQ(palette[9].peFlags, 0);
}

TEST_F(PaletteFade, InShowsThePictureThenRisesToThePalette) {
  const uint32_t flipsBefore = FlipCount();
  FadeIn(20, palette);
  EXPECT_EQ(FlipCount(), flipsBefore + 1);
  // The flip shows the picture first, under the old palette.
  ASSERT_EQ(Shown.size(), 1u + 13u + 1u);
  for (size_t n = 1; n <= 12; n++) EXPECT_EQ(Shown[n][9].peRed, 20 * n) << n;
  EXPECT_EQ(Shown[13][9].peRed, 255);
  EXPECT_EQ(Shown[7][9].peBlue, 128);  // reaches 128 at step 7 and stays
  EXPECT_EQ(Shown[6][9].peBlue, 120);
  EXPECT_EQ(Shown[13][9].peBlue, 128);
  EXPECT_EQ(Shown[1][9].peGreen, 20);
  EXPECT_EQ(std::memcmp(PaletteInForce(), palette, sizeof palette), 0);
}

TEST_F(PaletteFade, StepsOfSixtyTakeFiveSteps) {
  FadeOut(60, palette);
  EXPECT_EQ(Shown.size(), 5u);
  Shown.clear();
  FadeIn(60, palette);
  EXPECT_EQ(Shown.size(), 1u + 5u + 1u);
  EXPECT_EQ(PaletteInForce()[100].peRed, 255);
}

}  // namespace
