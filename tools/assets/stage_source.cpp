// A stage source read, each character turned into its cell value by the
// legend, and written as the game's stage file.
#include "stage_source.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& why) {
  std::fprintf(stderr, "%s: %s\n", where.c_str(), why.c_str());
  std::exit(1);
}

}  // namespace

std::vector<uint8_t> BuildStageFile(const std::string& sourcePath) {
  std::ifstream in(sourcePath);
  if (!in) Fail(sourcePath, "cannot open");
  std::map<char, long> legend;
  std::vector<std::string> rows;
  bool inMap = false;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    lineNo++;
    const std::string where = sourcePath + ":" + std::to_string(lineNo);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (inMap) {
      if (line.empty()) continue;
      if (!rows.empty() && line.size() != rows[0].size()) Fail(where, "row of another length than the first");
      for (char ch : line)
        if (!legend.count(ch)) Fail(where, std::string("character '") + ch + "' is not in the legend");
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
      if (!(rest >> value)) Fail(where, "legend entry without a value");
      if (legend.count(ch)) Fail(where, std::string("character '") + ch + "' given twice");
      legend[ch] = value;
      continue;
    }
    Fail(where, "expected a legend line or \"map\"");
  }
  if (rows.empty()) Fail(sourcePath, "no map");

  // The game's format: width, height, then the rows, every value followed
  // by a comma; lines end as they do on Windows.
  std::string text = std::to_string(rows[0].size()) + "," + std::to_string(rows.size()) + ",\r\n";
  for (const std::string& row : rows) {
    for (char ch : row) text += std::to_string(legend[ch]) + ",";
    text += "\r\n";
  }
  return std::vector<uint8_t>(text.begin(), text.end());
}
