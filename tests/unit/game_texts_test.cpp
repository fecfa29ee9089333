// The game's texts in both languages: every one there, and every one drawn
// whole within the room its box gives it.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/game_texts.h"
#include "platform/input/key_sampler.h"
#include "platform/picture/font.h"
#include "platform/picture/text_encoding.h"
#include "support/display_fixture.h"

namespace {

struct Placed {
  std::string text;
  RECT room;  // where the text is drawn, cut where the box or the next line begins
};

// Prices of `price`'s digits fill the questions and the price sentence.
std::vector<Placed> PlacedTexts(int price) {
  const RECT question{160, 165, 515, 190}, answer{220, 190, 515, 220};
  std::vector<Placed> placed = {
      {GameText(TextPauseMenu), {140, 200, 530, 220}},
      {GameText(TextDeathQuestion), question},
      {GameText(TextAnswerLine), answer},
      {GameText(TextThanks), {200, 165, 515, 190}},
      {GameText(TextPressEnter), answer},
      {GameText(TextDeathAnswerLine), answer},
      {GameText(TextPauseOptions), {140, 220, 530, 240}},
  };
  char text[512];
  for (TextId q : {TextLearnQuestion, TextRaiseQuestion}) {
    std::snprintf(text, sizeof text, GameText(q), price);
    placed.push_back({text, question});
  }
  for (int d = TextSlashDescription; d <= TextMaxHpDescription; d++) {
    std::snprintf(text, sizeof text, GameText(TextPriceSentence), GameText(static_cast<TextId>(d)), price);
    placed.push_back({text, {15, 350, 620, 460}});
  }
  return placed;
}

struct GameTexts : ::testing::Test {
  void SetUp() override {
    OpenTestDisplay();
    surface = MakeSurface(640, 480, 7);
    GetDC(surface, &dc);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
  }
  void TearDown() override {
    ReleaseDC(surface, dc);
    Release(surface);
    CloseTestDisplay();
    SetTextLanguage(LanguageJapanese);
  }
  std::vector<uint8_t> Drawn(const Placed& p, UINT format) {
    surface->pixels.assign(surface->pixels.size(), 7);
    RECT r = p.room;
    DrawTextA(dc, p.text.c_str(), -1, &r, format);
    return {surface->pixels.begin(), surface->pixels.end()};
  }
  DDSurface* surface;
  HDC dc;
};

// The keys of one sample: RETURN, and TOUCH when the touch controls press it.
bool SampleTouch = false;
void TouchOrKey(uint32_t, uint8_t* down) {
  down[VK_RETURN] = 1;
  if (SampleTouch) down[VK_TOUCH] = 1;
}
void LastUsed(bool touch) {
  SampleTouch = touch;
  SetKeySource(TouchOrKey);
  StartKeySampler(false, {}, "");
  uint8_t down[256];
  SampleKeys(0, down);
  SetKeySource(nullptr);
}

TEST_F(GameTexts, EveryTextFitsItsRoomWithoutAGlyphCutInEitherLanguage) {
  ASSERT_TRUE(FontAvailable()) << "the asset builder cuts the glyph sheet";
  // As the keyboard names them, and as the touch controls do.
  for (const bool touch : {false, true}) {
    LastUsed(touch);
    ASSERT_EQ(TouchLastUsed(), touch);
    for (Language language : {LanguageJapanese, LanguageEnglish}) {
      SetTextLanguage(language);
      // Skill points stop growing at 10000, so no price that can be asked or
      // shown has more than five digits. The Japanese raising question cuts
      // its last glyph at five; it stays as it has always been drawn.
      for (const Placed& p : PlacedTexts(language == LanguageEnglish ? 99999 : 9999)) {
        const std::string shown = Cp932ToUtf8(p.text.c_str());
        for (char32_t ch : DecodeCp932(p.text.c_str(), static_cast<int>(p.text.size())))
          EXPECT_TRUE(ch == U'\n' || FindGlyph(ch)) << "no glyph in: " << shown;
        const std::vector<uint8_t> clipped = Drawn(p, 0);
        EXPECT_TRUE(clipped != std::vector<uint8_t>(clipped.size(), 7)) << shown;
        EXPECT_TRUE(clipped == Drawn(p, DT_NOCLIP)) << "cut by its rectangle: " << shown;
      }
    }
  }
  LastUsed(false);
}

TEST(GameTextTable, JapaneseUntilChosenAndEnglishInPlainAscii) {
  EXPECT_EQ(Cp932ToUtf8(GameText(TextDeathQuestion)), "死んでしまった･･･。コンティニューしますか？");
  SetTextLanguage(LanguageEnglish);
  for (int id = 0; id < TextCount; id++) {
    const char* text = GameText(static_cast<TextId>(id));
    ASSERT_NE(text, nullptr) << id;
    for (const char* c = text; *c; c++) EXPECT_LT(static_cast<unsigned char>(*c), 0x80) << text;
  }
  EXPECT_STREQ(GameText(TextStatusPicture), "image\\stage1\\status_en.BMP");
  SetTextLanguage(LanguageJapanese);
  for (int id = 0; id < TextCount; id++) EXPECT_NE(GameText(static_cast<TextId>(id)), nullptr) << id;
  EXPECT_STREQ(GameText(TextStatusPicture), "image\\stage1\\status.BMP");
}

// Each pad's buttons by the names printed on it, chords and directions too.
TEST(GameTextTable, PadButtonsAreNamedAsThePadInHandLabelsThem) {
  struct Row {
    const char* item;
    const char* names[PadFaces];  // Xbox, PlayStation, Nintendo
  };
  const Row english[] = {
      {"pad:a", {"A", "Cross", "B"}},           {"pad:b", {"B", "Circle", "A"}},
      {"pad:x", {"X", "Square", "Y"}},          {"pad:y", {"Y", "Triangle", "X"}},
      {"pad:back", {"Back", "Share", "Minus"}}, {"pad:start", {"Start", "Options", "Plus"}},
      {"pad:leftshoulder", {"LB", "L1", "L"}},  {"pad:+righttrigger", {"RT", "R2", "ZR"}},
      {"pad:back+start", {"Back+Start", "Share+Options", "Minus+Plus"}},
      {"pad:-leftx", {"Left stick left", "Left stick left", "Left stick left"}},
      {"Left Ctrl", {"Left Ctrl", "Left Ctrl", "Left Ctrl"}},
  };
  SetTextLanguage(LanguageEnglish);
  for (const Row& r : english)
    for (int face = 0; face < PadFaces; face++) EXPECT_STREQ(PadItemLabel(r.item, face), r.names[face]) << r.item;
  SetTextLanguage(LanguageJapanese);
  const Row japanese[] = {
      {"pad:a", {"A", "×", "B"}},
      {"pad:y", {"Y", "△", "X"}},
      {"pad:start", {"Start", "Options", "Plus"}},
      {"pad:dpup", {"十字↑", "十字↑", "十字↑"}},
  };
  for (const Row& r : japanese)
    for (int face = 0; face < PadFaces; face++)
      EXPECT_EQ(Cp932ToUtf8(PadItemLabel(r.item, face)), r.names[face]) << r.item;
  // Without a live pad (a replay, a test's keys) the default names.
  EXPECT_STREQ(KeyLabel("pad:b"), "B");
}

}  // namespace
