// SPDX-License-Identifier: MIT
// The stage file's text, and text maps read through their legend.
#include "stage/stage_text.h"

#include <map>
#include <sstream>

#include "stage/stage_file.h"

std::string FormatStageText(int32_t width, int32_t height, const int32_t* cells) {
  std::string text = std::to_string(width) + "," + std::to_string(height) + ",\r\n";
  for (int32_t r = 0; r < height; r++) {
    for (int32_t c = 0; c < width; c++) {
      text += std::to_string(cells[static_cast<int64_t>(r) * width + c]);
      text += ',';
    }
    text += "\r\n";
  }
  return text;
}

std::vector<int32_t> StageFileCells(const StageMap* map) {
  if (!map->cells || map->width <= 0 || map->height <= 0) return {};
  const int64_t count = static_cast<int64_t>(map->width) * map->height;
  std::vector<int32_t> cells(map->cells, map->cells + count);
  for (int32_t m = 0; m < map->eventCount; m++)
    if (map->eventCells[m] >= 0 && map->eventCells[m] < count) cells[map->eventCells[m]] = map->eventValues[m];
  return cells;
}

bool LooksLikeTextMap(const std::string& text) {
  for (char ch : text) {
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') continue;
    return !(ch >= '0' && ch <= '9') && ch != '-' && ch != '+';
  }
  return false;
}

bool TextMapToStageText(const std::string& source, const std::string& name, std::string* stage, std::string* why) {
  std::istringstream in(source);
  std::map<char, long> legend;
  std::vector<std::string> rows;
  bool inMap = false;
  std::string line;
  int lineNo = 0;
  auto fail = [&](int at, const std::string& reason) {
    *why = name + (at > 0 ? ":" + std::to_string(at) : std::string()) + ": " + reason;
    return false;
  };
  while (std::getline(in, line)) {
    lineNo++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inMap) {
      if (line.empty()) continue;
      if (!rows.empty() && line.size() != rows[0].size()) return fail(lineNo, "row of another length than the first");
      for (char ch : line)
        if (!legend.count(ch)) return fail(lineNo, std::string("character '") + ch + "' is not in the legend");
      rows.push_back(line);
      continue;
    }
    if (line.empty() || line[0] == ';') continue;
    if (line == "map") {
      inMap = true;
      continue;
    }
    if (line.rfind("legend ", 0) == 0 && line.size() > 8) {
      const char ch = line[7];
      std::istringstream rest(line.substr(8));
      long value;
      if (!(rest >> value) || value < INT32_MIN || value > INT32_MAX) return fail(lineNo, "legend entry without a value");
      if (legend.count(ch)) return fail(lineNo, std::string("character '") + ch + "' given twice");
      legend[ch] = value;
      continue;
    }
    return fail(lineNo, "expected a legend line or \"map\"");
  }
  if (rows.empty()) return fail(0, "no map");
  std::vector<int32_t> cells;
  cells.reserve(rows.size() * rows[0].size());
  for (const std::string& row : rows)
    for (char ch : row) cells.push_back(static_cast<int32_t>(legend[ch]));
  *stage = FormatStageText(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()), cells.data());
  return true;
}
