// SPDX-License-Identifier: MIT
// The settings file rewritten in place, line by line.
#include "platform/settings/settings_file_update.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "platform/files/text_fields.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"

namespace {

constexpr size_t LargestSettingsFile = 1 << 20;

}  // namespace

std::string UpdateSettingsText(const std::string& text,
                               const std::vector<std::pair<std::string, std::string>>& values) {
  std::vector<bool> written(values.size(), false);
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool lastLine = end == std::string::npos;
    if (lastLine) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    const size_t hash = line.find('#');
    const std::string body = line.substr(0, hash);
    const size_t equals = body.find('=');
    if (equals != std::string::npos) {
      const std::string name = Trim(body.substr(0, equals));
      for (size_t i = 0; i < values.size(); i++) {
        if (values[i].first != name) continue;
        const std::string comment = hash == std::string::npos ? "" : "  " + line.substr(hash);
        const bool carriageReturn = !line.empty() && line.back() == '\r' && hash == std::string::npos;
        line = name + " = " + values[i].second + comment + (carriageReturn ? "\r" : "");
        written[i] = true;
        break;
      }
    }
    out += line;
    if (!lastLine) out += '\n';
  }
  for (size_t i = 0; i < values.size(); i++) {
    if (written[i]) continue;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += values[i].first + " = " + values[i].second + "\n";
  }
  return out;
}

std::string SettingValueText(const SettingRow& row) {
  if (row.type == SettingBool) return *static_cast<const bool*>(row.value) ? "true" : "false";
  if (row.type == SettingInt) return std::to_string(*static_cast<const int*>(row.value));
  return *static_cast<const std::string*>(row.value);
}

bool SaveSettingsFile(const std::string& path, const GameSettings& settings) {
  if (path.empty()) return true;  // a build that keeps no file
  std::string text;
  struct stat st;
  if (stat(path.c_str(), &st) != 0 && errno == ENOENT) {
    text = DefaultSettingsText();
  } else {
    std::vector<uint8_t> bytes;
    if (const char* fault = ReadWholeFile(path, LargestSettingsFile, &bytes)) {
      std::fprintf(stderr, "twinworlds: %s: %s; the settings are not saved\n", path.c_str(), fault);
      return false;
    }
    text.assign(bytes.begin(), bytes.end());
  }
  GameSettings copy = settings;
  std::vector<std::pair<std::string, std::string>> values;
  for (const SettingRow& row : SettingTable(&copy)) values.emplace_back(row.name, SettingValueText(row));
  if (!MakeFoldersFor(path) || !WriteFileAtomically(path, UpdateSettingsText(text, values))) {
    std::fprintf(stderr, "twinworlds: %s: cannot be written; the settings are not saved\n", path.c_str());
    return false;
  }
  return true;
}
