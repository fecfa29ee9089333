// The settings file and the bindings it holds: good, odd and bad lines, and
// pads folded into the game's keys.
#include <gtest/gtest.h>

#include <SDL.h>

#include <filesystem>
#include <fstream>

#include "platform/input/bindings.h"
#include "platform/settings/settings.h"
#include "platform/settings/settings_file_update.h"
#include "platform/shell/player_options.h"
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
  // A file's bytes are quoted as a terminal can show them.
  EXPECT_EQ(problems[6], "line 12: unknown setting '\\xFF\\xFE'");
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

TEST(Settings, ValuesAreRewrittenKeepingEveryOtherByteAndOnlyWhenTheRunMayWrite) {
  const std::string text = "# mine\r\n  scale=2 # my scale\r\nmystery = 7\nlanguage =\n\nlanguage = ja";
  EXPECT_EQ(UpdateSettingsText(text, {{"scale", "3"}, {"language", "en"}, {"jump", "Z, pad:a"}}),
            "# mine\r\n  scale=3 # my scale\r\nmystery = 7\nlanguage = en\n\nlanguage = en\njump = Z, pad:a\n");

  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("tw_update_" + std::to_string(getpid()));
  std::filesystem::remove_all(dir);
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  const std::string path = (dir / "twinworlds" / "twinworlds.conf").string();
  EXPECT_TRUE(SaveSettingValues({{"scale", "3"}}));  // a run that may not write
  EXPECT_FALSE(std::filesystem::exists(path));
  SetSettingsWritable(true);
  EXPECT_TRUE(SaveSettingValues({{"scale", "3"}}));  // an absent file starts from the defaults
  GameSettings s = Defaults();
  std::vector<std::string> problems;
  std::ifstream in(path);
  std::stringstream read;
  read << in.rdbuf();
  ParseSettingsText(read.str(), &s, &problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(s.scale, 3);
  EXPECT_EQ(read.str(), UpdateSettingsText(DefaultSettingsText(), {{"scale", "3"}}));
  SetSettingsWritable(false);
  unsetenv("XDG_CONFIG_HOME");
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

  // The game keys a pad holds, and apart from them the pad's own buttons.
  std::vector<int> raw;
  auto padWith = [&](const KeyBindings& with, uint32_t buttons, int leftX = 0) {
    PadState p;
    p.buttons = buttons;
    p.axes[SDL_CONTROLLER_AXIS_LEFTX] = static_cast<int16_t>(leftX);
    std::vector<int> keys;
    uint8_t d[256] = {};
    PadKeysDown(with, p, d);
    raw.clear();
    for (int vk = 0; vk < 256; vk++)
      if (d[vk]) (IsPadKey(vk) ? raw : keys).push_back(vk);
    return keys;
  };
  auto pad = [&](uint32_t buttons, int leftX = 0) { return padWith(b, buttons, leftX); };
  const uint32_t A = 1u << SDL_CONTROLLER_BUTTON_A, B = 1u << SDL_CONTROLLER_BUTTON_B;
  const uint32_t Back = 1u << SDL_CONTROLLER_BUTTON_BACK, Start = 1u << SDL_CONTROLLER_BUTTON_START;
  // Every game key a button serves on some screen; the sampler keeps those
  // of the screen shown.
  EXPECT_EQ(pad(A), (std::vector<int>{VK_RETURN, 'Y', 'Z'}));
  EXPECT_EQ(raw, (std::vector<int>{VK_GAMEPAD_A}));
  EXPECT_EQ(pad(B), (std::vector<int>{'C', 'N', VK_F1}));
  EXPECT_EQ(pad(Back), (std::vector<int>{VK_CONTROL, VK_F3}));
  EXPECT_EQ(pad(Start), (std::vector<int>{VK_RETURN, VK_ESCAPE, VK_F1}));
  EXPECT_EQ(pad(1u << SDL_CONTROLLER_BUTTON_DPAD_LEFT), (std::vector<int>{VK_LEFT}));
  // The stick counts past its dead zone only.
  EXPECT_EQ(pad(0, StickDeadZone), (std::vector<int>{}));
  EXPECT_EQ(raw, (std::vector<int>{}));
  EXPECT_EQ(pad(0, 30000), (std::vector<int>{VK_RIGHT}));
  EXPECT_EQ(raw, (std::vector<int>{0xD5}));  // the left stick pushed right
  EXPECT_EQ(pad(0, -30000), (std::vector<int>{VK_LEFT}));
  // Buttons held together take their buttons from the smaller bindings.
  GameSettings chorded = Defaults();
  chorded.bindings[ActionPause] = "Escape, pad:back+start";
  chorded.bindings[ActionEnter] = "Return, pad:start";
  chorded.bindings[ActionPauseResume] = "F1";
  chorded.bindings[ActionOptions] = "F3";
  const KeyBindings c = BindingsFrom(chorded.bindings);
  EXPECT_EQ(padWith(c, Back | Start), (std::vector<int>{VK_ESCAPE}));
  EXPECT_EQ(padWith(c, Back | Start | A), (std::vector<int>{VK_ESCAPE, 'Y', 'Z'}));
}

}  // namespace

namespace {

// A key taken from another game key is swapped for the old one; a button
// the other would be left without any of is refused; a button heard on
// other screens only is shared.
TEST(Rebind, SwapsRefusesAndNeverLeavesAGameKeyUnbound) {
  GameSettings s = Defaults();
  EXPECT_EQ(Rebind(&s, ActionJump, "C"), RebindSwapped);
  EXPECT_EQ(s.bindings[ActionJump], "C, pad:a");
  EXPECT_EQ(s.bindings[ActionHorizontalSlash], "Z, pad:b");
  EXPECT_EQ(Rebind(&s, ActionSpawn, "pad:a"), RebindRefused);  // the jump's only button
  EXPECT_EQ(s.bindings[ActionSpawn], "Backspace");
  EXPECT_EQ(Rebind(&s, ActionSpawn, "pad:leftshoulder"), RebindSwapped);
  EXPECT_EQ(s.bindings[ActionSwitchWorlds], "Space, pad:y, pad:rightshoulder");
  // Yes and the jump are never heard on one screen: A serves both.
  EXPECT_EQ(Rebind(&s, ActionYes, "pad:a"), RebindSet);
  EXPECT_EQ(s.bindings[ActionJump], "C, pad:a");
  EXPECT_EQ(Rebind(&s, ActionPauseResume, "F3"), RebindSwapped);
  EXPECT_EQ(s.bindings[ActionOptions], "F1, pad:back");
  RestoreDefaultBindings(&s);
  for (int i = 0; i < BindableKeys; i++) EXPECT_EQ(s.bindings[i], BindableKeyTable[i].defaults);
}

TEST(SettingsFile, EarlierDefaultsReadAsTodays) {
  GameSettings s = Defaults();
  std::vector<std::string> problems;
  ParseSettingsText("pause = Escape, pad:back+start\npause_resume = F1\npause_quit = F2, pad:y\n", &s, &problems);
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(s.bindings[ActionPause], BindableKeyTable[ActionPause].defaults);
  EXPECT_EQ(s.bindings[ActionPauseResume], BindableKeyTable[ActionPauseResume].defaults);
  EXPECT_EQ(s.bindings[ActionPauseQuit], "F2, pad:y");  // the player's own
}

}  // namespace
