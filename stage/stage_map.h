// A world's stage: its grid of cells, the event markers and hidden cells
// taken out of it at load, and the view's scroll position.
#pragma once

#include <cstdint>

struct StageMap {
  int32_t width;    // columns; the row stride of cells
  int32_t height;   // rows
  int32_t* cells;   // row-major from the top row
  int32_t* eventCells;   // cell index of each event marker, in file order
  int32_t* eventValues;  // its value, 201 to 248
  int32_t scrollX;       // 0 to (width - 20) * 32
  int32_t scrollY;       // upward from the bottom 15 rows, 0 to (height - 15) * 32
  int32_t scrollXTotal;  // unclamped sums behind the scroll
  int32_t scrollYTotal;
  int32_t hiddenCount;
  int32_t* hiddenCells;  // cell index of each hidden cell, in file order
  int32_t eventCount;    // kept so that no search reads beyond the lists
};

// A cell of the map, or 0 for any place beyond it: stages close their play
// area with solid cells, and whatever lies outside counts as empty.
inline int32_t CellAt(const StageMap* map, int32_t row, int32_t column) {
  if (row < 0 || column < 0 || row >= map->height || column >= map->width || !map->cells) return 0;
  return map->cells[static_cast<int64_t>(row) * map->width + column];
}

// The cell itself, or null beyond the map: nothing is ever written there.
inline int32_t* CellAddress(StageMap* map, int32_t row, int32_t column) {
  if (row < 0 || column < 0 || row >= map->height || column >= map->width || !map->cells) return nullptr;
  return &map->cells[static_cast<int64_t>(row) * map->width + column];
}

// The two worlds' maps: A from "stage\fai_kansei.txt", B from
// "stage\Magic1234.txt". Switches in either world reach both.
extern StageMap WorldMapA;
extern StageMap WorldMapB;
