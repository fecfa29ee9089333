// The settings table, its text form and the file in the player's config
// folder.
#include "platform/settings/settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/files/packs.h"
#include "platform/files/text_fields.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"
#include "platform/settings/settings_file_update.h"

namespace {

// A settings file is a page of text; anything much larger is not one.
constexpr size_t LargestSettingsFile = 1 << 20;

GameSettings Current = [] {
  GameSettings s;
  for (int i = 0; i < BindableKeys; i++) s.bindings[i] = BindableKeyTable[i].defaults;
  return s;
}();

bool ParseInt(const std::string& text, int low, int high, int* out) {
  if (text.empty() || text.size() > 9) return false;
  char* end = nullptr;
  errno = 0;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (errno || *end || v < low || v > high) return false;
  *out = static_cast<int>(v);
  return true;
}

bool ParseBool(const std::string& text, bool* out) {
  if (text == "true" || text == "yes" || text == "on" || text == "1") {
    *out = true;
    return true;
  }
  if (text == "false" || text == "no" || text == "off" || text == "0") {
    *out = false;
    return true;
  }
  return false;
}

// Bindings that were the defaults of earlier versions, written into every
// settings file made then: read as today's defaults, so that a pad can
// leave the pause menu and Back no longer half-opens it.
struct OldDefault {
  const char* name;
  const char* value;
};
constexpr OldDefault OldDefaults[] = {
    {"enter", "Return, Keypad Enter, pad:start"},
    {"pause", "Escape, pad:back+start"},
    {"pause_resume", "F1"},
    {"pause_quit", "F2"},
};

std::string TodaysDefault(const std::string& name, const std::string& value) {
  for (const OldDefault& old : OldDefaults)
    if (name == old.name && value == old.value)
      for (int i = 0; i < BindableKeys; i++)
        if (name == BindableKeyTable[i].name) return BindableKeyTable[i].defaults;
  return value;
}

bool CheckLanguage(const std::string& value, std::string* why) {
  Language language;
  if (value.empty() || LanguageFromName(value, &language)) return true;
  *why = "'" + value + "' is not ja or en";
  return false;
}

}  // namespace

bool LanguageFromName(const std::string& name, Language* out) {
  if (name == "ja") *out = LanguageJapanese;
  else if (name == "en") *out = LanguageEnglish;
  else return false;
  return true;
}

namespace {

// Two whole numbers of at most 6 digits around a separator.
bool ParsePair(const std::string& text, char separator, int low, int* a, int* b) {
  const size_t at = text.find(separator);
  if (at == std::string::npos) return false;
  return ParseInt(Trim(text.substr(0, at)), low, 999999, a) && ParseInt(Trim(text.substr(at + 1)), low, 999999, b);
}

bool CheckWindowSize(const std::string& value, std::string* why) {
  int w, h;
  if (value.empty() || ParseWindowSize(value, &w, &h)) return true;
  *why = "'" + value + "' is not WIDTHxHEIGHT";
  return false;
}

bool CheckPack(const std::string& value, std::string* why) {
  if (value.empty()) return true;
  *why = PackNameFault(value);
  return why->empty();
}

bool CheckWindowPosition(const std::string& value, std::string* why) {
  int x, y;
  if (value.empty() || ParseWindowPosition(value, &x, &y)) return true;
  *why = "'" + value + "' is not X,Y";
  return false;
}

}  // namespace

bool ParseWindowSize(const std::string& text, int* width, int* height) {
  return ParsePair(text, 'x', 1, width, height);
}

bool ParseWindowPosition(const std::string& text, int* x, int* y) { return ParsePair(text, ',', -999999, x, y); }

Language LanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* name : {lcAll, lcMessages, lang})
    if (name && *name) return name[0] == 'j' && name[1] == 'a' ? LanguageJapanese : LanguageEnglish;
  return LanguageEnglish;
}

Language LanguageFromLocale() {
  return LanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string SettingValueText(const SettingRow& row) {
  if (row.type == SettingBool) return *static_cast<const bool*>(row.value) ? "true" : "false";
  if (row.type == SettingInt) return std::to_string(*static_cast<const int*>(row.value));
  return *static_cast<const std::string*>(row.value);
}

std::vector<SettingRow> SettingTable(GameSettings* s) {
  std::vector<SettingRow> rows = {
      {"fullscreen", SettingBool, &s->fullscreen, 0, 1, "true: full screen; false: a window (--window, --fullscreen)"},
      {"scale", SettingInt, &s->scale, 0, 16, "window scale, 1 to 16; 0 the largest that fits (--scale)"},
      {"music_volume", SettingInt, &s->musicVolume, 0, 100, "music volume, 0 to 100"},
      {"effects_volume", SettingInt, &s->effectsVolume, 0, 100, "sound effects volume, 0 to 100"},
      {"window_size", SettingText, &s->windowSize, 0, 0,
       "the window's size in pixels, WIDTHxHEIGHT, as it was last left; empty: as the scale says", CheckWindowSize},
      {"window_position", SettingText, &s->windowPosition, 0, 0,
       "the window's place on the desktop, X,Y, as it was last left; empty: centred", CheckWindowPosition},
      {"language", SettingText, &s->language, 0, 0, "ja: Japanese text; en: English text; empty: as the locale says (--lang)", CheckLanguage},
      {"soundfont", SettingText, &s->soundFont, 0, 0,
       "the music's General MIDI soundfont, a .sf2 file; empty: /usr/share/sounds/sf2/default-GM.sf2, "
       "else TimGM6mb.sf2 there (--soundfont)"},
      {"pack", SettingText, &s->pack, 0, 0,
       "the stages played: a pack's folder name in the packs folder, as chosen on the title; "
       "empty: the game's own (--pack)", CheckPack},
  };
  for (int i = 0; i < BindableKeys; i++)
    rows.push_back({BindableKeyTable[i].name, SettingText, &s->bindings[i], 0, 0, BindableKeyTable[i].doc,
                    CheckBindingText});
  return rows;
}

void ParseSettingsText(const std::string& text, GameSettings* out, std::vector<std::string>* problems) {
  const std::vector<SettingRow> rows = SettingTable(out);
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    number++;
    if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    line = Trim(line);
    if (line.empty()) continue;
    auto problem = [&](const std::string& what) { problems->push_back("line " + std::to_string(number) + ": " + what); };
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      problem("not a 'name = value' line");
      continue;
    }
    const std::string name = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
    const SettingRow* row = nullptr;
    for (const SettingRow& r : rows)
      if (name == r.name) row = &r;
    if (!row) {
      problem("unknown setting '" + name + "'");
      continue;
    }
    if (row->type == SettingBool) {
      if (!ParseBool(value, static_cast<bool*>(row->value))) problem(name + ": '" + value + "' is not true or false");
    } else if (row->type == SettingInt) {
      if (!ParseInt(value, row->low, row->high, static_cast<int*>(row->value)))
        problem(name + ": '" + value + "' is not a whole number from " + std::to_string(row->low) + " to " +
                std::to_string(row->high));
    } else {
      std::string why;
      if (row->check && !row->check(value, &why))
        problem(name + ": " + why);
      else
        *static_cast<std::string*>(row->value) = row->check == CheckBindingText ? TodaysDefault(name, value) : value;
    }
  }
}

std::string DefaultSettingsText() {
  GameSettings defaults;
  for (int i = 0; i < BindableKeys; i++) defaults.bindings[i] = BindableKeyTable[i].defaults;
  std::string text =
      "# twinworlds settings. Lines are 'name = value'; '#' starts a comment.\n"
      "# The command line overrides them. Delete this file to get the defaults back.\n"
      "#\n"
      "# Keys: keyboard keys as SDL names them (Left, Z, Space, Left Ctrl, Return,\n"
      "# Keypad Enter) and pad buttons: pad:a b x y back start guide leftshoulder\n"
      "# rightshoulder leftstick rightstick dpup dpdown dpleft dpright, stick\n"
      "# directions pad:-leftx pad:+leftx pad:-lefty pad:+lefty (also right), the\n"
      "# triggers pad:+lefttrigger pad:+righttrigger, and buttons held together\n"
      "# pad:back+start. Separate several with commas.\n";
  for (const SettingRow& r : SettingTable(&defaults)) {
    text += "\n# " + std::string(r.doc) + "\n" + r.name + " = " + SettingValueText(r) + "\n";
  }
  return text;
}

GameSettings LoadSettings(const std::string& path) {
  GameSettings settings;
  for (int i = 0; i < BindableKeys; i++) settings.bindings[i] = BindableKeyTable[i].defaults;
  if (path.empty()) return settings;
  struct stat st;
  if (stat(path.c_str(), &st) != 0 && errno == ENOENT) {
    // The only file the game writes unasked, and only when there is none.
    FILE* out = MakeFoldersFor(path) ? std::fopen(path.c_str(), "wx") : nullptr;
    if (out) {
      const std::string text = DefaultSettingsText();
      std::fwrite(text.data(), 1, text.size(), out);
      std::fclose(out);
    }
    return settings;
  }
  std::vector<uint8_t> bytes;
  if (ReadWholeFile(path, LargestSettingsFile, &bytes)) {
    std::fprintf(stderr, "twinworlds: %s: cannot be read; the defaults are used\n", path.c_str());
    return settings;
  }
  std::vector<std::string> problems;
  ParseSettingsText(std::string(bytes.begin(), bytes.end()), &settings, &problems);
  for (const std::string& p : problems) std::fprintf(stderr, "twinworlds: %s: %s (ignored)\n", path.c_str(), p.c_str());
  return settings;
}

namespace {
Language SpokenLanguage = LanguageJapanese;
}  // namespace

void SetRunLanguage(Language language) { SpokenLanguage = language; }
Language RunLanguage() { return SpokenLanguage; }

const GameSettings& CurrentSettings() { return Current; }
void SetCurrentSettings(const GameSettings& settings) { Current = settings; }
