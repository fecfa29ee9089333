// SPDX-License-Identifier: MIT
// The settings file rewritten in place: only the values change.
#include "platform/settings/settings_file_update.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "platform/backend.h"
#include "platform/files/text_fields.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"
#include "platform/settings/settings.h"

namespace {

constexpr size_t LargestSettingsFile = 1 << 20;
bool Writable = false;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// One line without its '\n': the value between "name =" and a comment or
// the line's end replaced when the name is one of `values`.
std::string UpdateLine(const std::string& line, const std::vector<std::pair<std::string, std::string>>& values,
                       std::vector<bool>* found) {
  const size_t hash = line.find('#');
  const size_t end = hash == std::string::npos ? line.size() : hash;
  const size_t equals = line.find('=');
  if (equals == std::string::npos || equals > end) return line;
  const std::string name = Trim(line.substr(0, equals));
  for (size_t i = 0; i < values.size(); i++) {
    if (values[i].first != name) continue;
    (*found)[i] = true;
    size_t from = equals + 1;
    while (from < end && (line[from] == ' ' || line[from] == '\t')) from++;
    size_t to = end;
    while (to > from && IsBlank(line[to - 1])) to--;
    // "name =" with nothing after it gets the space the file's own lines have.
    const std::string value = (to == from && from == equals + 1 ? " " : "") + values[i].second;
    return line.substr(0, from) + value + line.substr(to);
  }
  return line;
}

}  // namespace

std::string UpdateSettingsText(const std::string& text,
                               const std::vector<std::pair<std::string, std::string>>& values) {
  std::vector<bool> found(values.size(), false);
  std::string out;
  out.reserve(text.size() + 64);
  for (size_t start = 0; start < text.size();) {
    const size_t newline = text.find('\n', start);
    const size_t end = newline == std::string::npos ? text.size() : newline;
    out += UpdateLine(text.substr(start, end - start), values, &found);
    if (newline != std::string::npos) out += '\n';
    start = end + 1;
  }
  for (size_t i = 0; i < values.size(); i++) {
    if (found[i]) continue;
    if (!out.empty() && out.back() != '\n') out += '\n';
    out += values[i].first + " = " + values[i].second + "\n";
    found[i] = true;  // a name given twice is appended once
    for (size_t j = i + 1; j < values.size(); j++)
      if (values[j].first == values[i].first) found[j] = true;
  }
  return out;
}

void SetSettingsWritable(bool writable) { Writable = writable; }
bool SettingsWritable() { return Writable; }

bool SaveSettingValues(const std::vector<std::pair<std::string, std::string>>& values) {
  const std::string path = SettingsFilePath();
  if (path.empty() || !Writable) return true;
  std::string text;
  struct stat st;
  if (stat(path.c_str(), &st) != 0 && errno == ENOENT) {
    text = DefaultSettingsText();
    if (!MakeFoldersFor(path)) {
      std::fprintf(stderr, "twinworlds: %s: its folder cannot be made; the settings are not saved\n", path.c_str());
      return false;
    }
  } else {
    std::vector<uint8_t> bytes;
    if (const char* why = ReadWholeFile(path, LargestSettingsFile, &bytes)) {
      std::fprintf(stderr, "twinworlds: %s: %s; the settings are not saved\n", path.c_str(), why);
      return false;
    }
    text.assign(bytes.begin(), bytes.end());
  }
  if (WriteFileAtomically(path, UpdateSettingsText(text, values))) return true;
  std::fprintf(stderr, "twinworlds: %s: cannot be written; the settings are not saved\n", path.c_str());
  return false;
}
