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
// The language of a locale, as the first non-empty of LC_ALL, LC_MESSAGES
// and LANG names it: Japanese for "ja...", English for any other or none.
Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
// The same from this process's environment.
Language LanguageFromLocale();

struct GameSettings {
  bool fullscreen = true;
  int scale = 0;  // window scale; 0 the largest that fits
  int musicVolume = 100;
  int effectsVolume = 100;
  std::string language;  // "" follows the locale
  // The window as it was left: "WIDTHxHEIGHT" and "X,Y"; "" none yet.
  std::string windowSize;
  std::string windowPosition;
  std::string soundFont;  // "" for the system's General MIDI soundfont
  std::string pack;       // the stages chosen on the title: a pack's id; "" the game's own
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
// A row's value as the file writes it.
std::string SettingValueText(const SettingRow& row);

// "1280x960" and "-20,100": false for anything else.
bool ParseWindowSize(const std::string& text, int* width, int* height);
bool ParseWindowPosition(const std::string& text, int* x, int* y);

// Reads settings text over `out` (which holds the defaults). A line that
// cannot be used is left out and described in `problems` ("line 3: ...");
// nothing else is touched, so this is safe on any text.
void ParseSettingsText(const std::string& text, GameSettings* out, std::vector<std::string>* problems);
// The file with comments and every default, as written on first run.
std::string DefaultSettingsText();

// Reads the file, or writes the defaults there when it is absent; problems
// go to stderr, one line each. Never fails the game.
GameSettings LoadSettings(const std::string& path);

// The language this run speaks, however it was chosen (the command line,
// the settings file, the locale): for the platform's own words.
void SetRunLanguage(Language language);
Language RunLanguage();

// The settings of this run.
const GameSettings& CurrentSettings();
void SetCurrentSettings(const GameSettings& settings);
