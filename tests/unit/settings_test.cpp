// The settings file and the bindings it holds: good, odd and bad lines, and
// pads folded into the game's keys.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <fstream>

#include "platform/input/bindings.h"
#include "platform/settings/settings.h"
#include "platform/win32/win32.h"

namespace {

GameSettings Defaults() {
  GameSettings s;
  for (int i = 0; i < BindableKeys; i++) s.bindings[i] = BindableKeyTable[i].defaults;
  return s;
}

TEST(Settings, TheDefaultFileReadsBackAsTheDefaults) {
  GameSettings s = Defaults();
  s.fullscreen = false;
  s.musicVolume = 3;
  std::vector<std::string> problems;
  ParseSettingsText(DefaultSettingsText(), &s, &problems);
  EXPECT_TRUE(problems.empty()) << problems[0];
  EXPECT_TRUE(s.fullscreen);
  EXPECT_EQ(s.musicVolume, 100);
  for (int i = 0; i < BindableKeys; i++) EXPECT_EQ(s.bindings[i], BindableKeyTable[i].defaults);
}

TEST(Settings, OddLinesAreReadAndBadOnesReportedByLineAndIgnored) {
  GameSettings s = Defaults();
  std::vector<std::string> problems;
  ParseSettingsText("  fullscreen=off   # a comment\r\n"
                    "\n"
                    "scale = 17\n"
                    "music_volume = 40\n"
                    "effects_volume = -1\n"
                    "jump = Space, pad:b\n"
                    "left = Nowhere\n"
                    "right = pad:wings\n"
                    "just words\n"
                    "colour = blue\n"
                    "spawn =\n"
                    "\xff\xfe = \x01\n"
                    "language = en\n"
                    "language = fr\n"
                    "soundfont = /home/me/My GM.sf2\n",
                    &s, &problems);
  EXPECT_FALSE(s.fullscreen);
  EXPECT_EQ(s.scale, 0);
  EXPECT_EQ(s.musicVolume, 40);
  EXPECT_EQ(s.effectsVolume, 100);
  EXPECT_EQ(s.bindings[4], "Space, pad:b");
  EXPECT_EQ(s.bindings[0], BindableKeyTable[0].defaults);
  EXPECT_EQ(s.bindings[9], "");  // nothing bound is allowed
  EXPECT_EQ(s.language, "en");
  EXPECT_EQ(s.soundFont, "/home/me/My GM.sf2");
  ASSERT_EQ(problems.size(), 8u);
  const char* starts[] = {"line 3: scale", "line 5: effects_volume", "line 7: left", "line 8: right",
                          "line 9:", "line 10: unknown setting 'colour'", "line 12:", "line 14: language"};
  for (size_t i = 0; i < problems.size(); i++) EXPECT_EQ(problems[i].rfind(starts[i], 0), 0u) << problems[i];
}

TEST(Settings, AnAbsentFileIsWrittenWithTheDefaultsAndOnlyThen) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("tw_settings_" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  const std::string path = (dir / "twinworlds" / "twinworlds.conf").string();
  GameSettings first = LoadSettings(path);
  EXPECT_TRUE(first.fullscreen);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), DefaultSettingsText());
  std::ofstream(path) << "fullscreen = false\n";
  EXPECT_FALSE(LoadSettings(path).fullscreen);
  std::ifstream again(path);
  std::string line;
  std::getline(again, line);
  EXPECT_EQ(line, "fullscreen = false");  // never rewritten
  std::filesystem::remove_all(dir);
}

TEST(Bindings, KeysAndPadsFillTheGameKeys) {
  const KeyBindings b = BindingsFrom(Defaults().bindings);
  uint8_t down[256] = {};
  KeyboardKeyDown(b, SDLK_z, down);
  KeyboardKeyDown(b, SDLK_RCTRL, down);
  KeyboardKeyDown(b, SDLK_q, down);
  EXPECT_TRUE(down['Z'] && down[VK_CONTROL]);
  EXPECT_EQ(std::count(down, down + 256, 1), 2);

  auto pad = [&](uint32_t buttons, int leftX = 0) {
    PadState p;
    p.buttons = buttons;
    p.axes[SDL_CONTROLLER_AXIS_LEFTX] = static_cast<int16_t>(leftX);
    std::vector<int> keys;
    uint8_t d[256] = {};
    PadKeysDown(b, p, d);
    for (int vk = 0; vk < 256; vk++)
      if (d[vk]) keys.push_back(vk);
    return keys;
  };
  const uint32_t A = 1u << SDL_CONTROLLER_BUTTON_A, B = 1u << SDL_CONTROLLER_BUTTON_B;
  const uint32_t Back = 1u << SDL_CONTROLLER_BUTTON_BACK, Start = 1u << SDL_CONTROLLER_BUTTON_START;
  EXPECT_EQ(pad(A), (std::vector<int>{'Y', 'Z'}));
  EXPECT_EQ(pad(B), (std::vector<int>{'C', 'N'}));
  EXPECT_EQ(pad(Back), (std::vector<int>{VK_CONTROL}));
  EXPECT_EQ(pad(Start), (std::vector<int>{VK_RETURN}));
  EXPECT_EQ(pad(Back | Start), (std::vector<int>{VK_ESCAPE}));
  EXPECT_EQ(pad(Back | Start | A), (std::vector<int>{VK_ESCAPE, 'Y', 'Z'}));
  EXPECT_EQ(pad(1u << SDL_CONTROLLER_BUTTON_DPAD_LEFT), (std::vector<int>{VK_LEFT}));
  // The stick counts past its dead zone only.
  EXPECT_EQ(pad(0, StickDeadZone), (std::vector<int>{}));
  EXPECT_EQ(pad(0, 30000), (std::vector<int>{VK_RIGHT}));
  EXPECT_EQ(pad(0, -30000), (std::vector<int>{VK_LEFT}));
}

}  // namespace
