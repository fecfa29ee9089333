// The player's settings file: plain `name = value` lines, one row of a table
// per setting, each with its doc line; made with the defaults when absent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/input/bindings.h"

// The language of every text the game draws: --lang ja|en.
enum Language : uint8_t { LanguageJapanese, LanguageEnglish };
// "ja" or "en"; false for any other name.
bool LanguageFromName(const std::string& name, Language* out);

struct GameSettings {
  bool fullscreen = true;
  int scale = 0;  // window scale; 0 the largest that fits
  int musicVolume = 100;
  int effectsVolume = 100;
  std::string language = "ja";
  std::string soundFont;  // "" for the system's General MIDI soundfont
  // Per bindable key: keyboard keys as SDL names them, and "pad:" buttons,
  // separated by commas.
  std::string bindings[BindableKeys];
};

enum SettingType : uint8_t { SettingBool, SettingInt, SettingText };

struct SettingRow {
  const char* name;
  SettingType type;
  void* value;       // bool*, int* or std::string*
  int low, high;     // SettingInt: the range
  const char* doc;   // one line, for the file and the manual
  // SettingText: says why a value cannot be taken; null takes any text.
  bool (*check)(const std::string& value, std::string* why) = nullptr;
};

// The rows, pointing into `settings`.
std::vector<SettingRow> SettingTable(GameSettings* settings);

// Reads settings text over `out` (which holds the defaults). A line that
// cannot be used is left out and described in `problems` ("line 3: ...");
// nothing else is touched, so this is safe on any text.
void ParseSettingsText(const std::string& text, GameSettings* out, std::vector<std::string>* problems);
// The file with comments and every default, as written on first run.
std::string DefaultSettingsText();

// Reads the file, or writes the defaults there when it is absent; problems
// go to stderr, one line each. Never fails the game.
GameSettings LoadSettings(const std::string& path);

// The settings of this run.
const GameSettings& CurrentSettings();
void SetCurrentSettings(const GameSettings& settings);
