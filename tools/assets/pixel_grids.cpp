// Text pictures read from their file and found by name, and inked onto
// canvases through a legend.
#include "pixel_grids.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

GridSet LoadGrids(const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "%s: cannot open\n", path.c_str());
    std::exit(1);
  }
  GridSet set;
  Grid* current = nullptr;
  std::string line;
  int lineNo = 0;
  while (std::getline(in, line)) {
    lineNo++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;
    if (line.rfind("glyph ", 0) == 0) {
      current = &set[line.substr(6)];
      continue;
    }
    if (!current) {
      std::fprintf(stderr, "%s:%d: rows before the first glyph line\n", path.c_str(), lineNo);
      std::exit(1);
    }
    if (!current->empty() && current->front().size() != line.size()) {
      std::fprintf(stderr, "%s:%d: row of another length than the rows above it\n", path.c_str(), lineNo);
      std::exit(1);
    }
    current->push_back(line);
  }
  return set;
}

const Grid& GridNamed(const GridSet& set, const std::string& name) {
  auto it = set.find(name);
  if (it == set.end()) {
    std::fprintf(stderr, "no picture named %s\n", name.c_str());
    std::exit(1);
  }
  return it->second;
}

Canvas GridToCanvas(const Grid& g, const std::vector<std::pair<char, uint8_t>>& legend) {
  Canvas c = MakeCanvas(g.empty() ? 0 : static_cast<int>(g[0].size()), static_cast<int>(g.size()));
  for (int y = 0; y < c.h; y++)
    for (int x = 0; x < c.w; x++)
      for (auto [ch, v] : legend)
        if (g[y][x] == ch) Put(c, x, y, v);
  return c;
}

Canvas InkGrid(const Grid& g, uint8_t ink) { return GridToCanvas(g, {{'#', ink}}); }
