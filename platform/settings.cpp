// The settings table, its text form and the file in the player's config
// folder.
#include "platform/settings.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/bindings.h"
#include "platform/runtime.h"
#include "platform/win32.h"

const BindableKey kBindableKeyTable[kBindableKeys] = {
    {"left", VK_LEFT, "Left, pad:dpleft, pad:-leftx", "run left; skill menu cursor"},
    {"right", VK_RIGHT, "Right, pad:dpright, pad:+leftx", "run right; skill menu cursor"},
    {"up", VK_UP, "Up, pad:dpup, pad:-lefty", "with slash: upward slash; skill menu cursor"},
    {"down", VK_DOWN, "Down, pad:dpdown, pad:+lefty", "with slash: downward thrust; skill menu cursor"},
    {"jump", 'Z', "Z, pad:a", "jump; off a wall you cling to, wall jump"},
    {"vertical_slash", 'X', "X, pad:x", "vertical slash"},
    {"horizontal_slash", 'C', "C, pad:b", "horizontal slash"},
    {"switch_worlds", VK_SPACE, "Space, pad:y, pad:leftshoulder, pad:rightshoulder", "switch worlds"},
    {"skill_menu", VK_CONTROL, "Left Ctrl, Right Ctrl, pad:back", "open and close the skill menu"},
    {"spawn", VK_BACK, "Backspace", "while held, enemies may appear"},
    {"enter", VK_RETURN, "Return, Keypad Enter, pad:start", "start; choose in menus; continue"},
    {"yes", 'Y', "Y, pad:a", "yes in questions"},
    {"no", 'N', "N, pad:b", "no in questions"},
    {"pause", VK_ESCAPE, "Escape, pad:back+start", "pause menu"},
    {"pause_resume", VK_F1, "F1", "pause menu: back to the game"},
    {"pause_quit", VK_F2, "F2", "pause menu: quit"},
};

namespace {

GameSettings Current = [] {
  GameSettings s;
  for (int i = 0; i < kBindableKeys; i++) s.bindings[i] = kBindableKeyTable[i].defaults;
  return s;
}();

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  const size_t b = s.find_last_not_of(" \t\r");
  return s.substr(a, b - a + 1);
}

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

bool CheckLanguage(const std::string& value, std::string* why) {
  Language language;
  if (LanguageFromName(value, &language)) return true;
  *why = "'" + value + "' is not ja or en";
  return false;
}

bool MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::vector<SettingRow> SettingTable(GameSettings* s) {
  std::vector<SettingRow> rows = {
      {"fullscreen", SettingBool, &s->fullscreen, 0, 1, "true: full screen; false: a window (--window, --fullscreen)"},
      {"scale", SettingInt, &s->scale, 0, 16, "window scale, 1 to 16; 0 the largest that fits (--scale)"},
      {"music_volume", SettingInt, &s->musicVolume, 0, 100, "music volume, 0 to 100"},
      {"effects_volume", SettingInt, &s->effectsVolume, 0, 100, "sound effects volume, 0 to 100"},
      {"language", SettingText, &s->language, 0, 0, "ja: Japanese text; en: English text (--lang)", CheckLanguage},
  };
  for (int i = 0; i < kBindableKeys; i++)
    rows.push_back({kBindableKeyTable[i].name, SettingText, &s->bindings[i], 0, 0, kBindableKeyTable[i].doc,
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
        *static_cast<std::string*>(row->value) = value;
    }
  }
}

std::string DefaultSettingsText() {
  GameSettings defaults;
  for (int i = 0; i < kBindableKeys; i++) defaults.bindings[i] = kBindableKeyTable[i].defaults;
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
    text += "\n# " + std::string(r.doc) + "\n" + r.name + " = ";
    if (r.type == SettingBool) text += *static_cast<bool*>(r.value) ? "true" : "false";
    else if (r.type == SettingInt) text += std::to_string(*static_cast<int*>(r.value));
    else text += *static_cast<std::string*>(r.value);
    text += "\n";
  }
  return text;
}

std::string SettingsFilePath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  std::string folder;
  if (config && config[0] == '/') folder = config;
  else if (const char* home = std::getenv("HOME"); home && *home) folder = std::string(home) + "/.config";
  else return "";
  return folder + "/twinworlds/twinworlds.conf";
}

GameSettings LoadSettings(const std::string& path) {
  GameSettings settings;
  for (int i = 0; i < kBindableKeys; i++) settings.bindings[i] = kBindableKeyTable[i].defaults;
  if (path.empty()) return settings;
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    // The only file the game writes unasked, and only when there is none.
    struct stat st;
    if (stat(path.c_str(), &st) == 0 || errno != ENOENT) {
      std::fprintf(stderr, "twinworlds: %s: cannot be read; the defaults are used\n", path.c_str());
      return settings;
    }
    FILE* out = MakeFolders(path) ? std::fopen(path.c_str(), "wx") : nullptr;
    if (out) {
      const std::string text = DefaultSettingsText();
      std::fwrite(text.data(), 1, text.size(), out);
      std::fclose(out);
    }
    return settings;
  }
  std::stringstream text;
  text << f.rdbuf();
  std::vector<std::string> problems;
  ParseSettingsText(text.str(), &settings, &problems);
  for (const std::string& p : problems) std::fprintf(stderr, "twinworlds: %s: %s (ignored)\n", path.c_str(), p.c_str());
  return settings;
}

const GameSettings& CurrentSettings() { return Current; }
void SetCurrentSettings(const GameSettings& settings) { Current = settings; }
