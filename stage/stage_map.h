// Reading and writing a stage's cells safely, and the two worlds' maps.
#pragma once

#include <cstdint>

#include "stage/stage_file.h"

// A cell of the map, or 0 for any place beyond it: stages close their play
// area with solid cells, and whatever lies outside counts as empty.
// A view's cell is the cell of the map it shows, and must lie on both.
inline int32_t CellAt(const StageMap* map, int32_t row, int32_t column) {
  if (row < 0 || column < 0 || row >= map->height || column >= map->width || !map->cells) return 0;
  if (map->viewOf) return CellAt(map->viewOf, map->viewTop + row, map->viewLeft + column);
  return map->cells[static_cast<int64_t>(row) * map->width + column];
}

// The cell itself, or null beyond the map: nothing is ever written there.
inline int32_t* CellAddress(StageMap* map, int32_t row, int32_t column) {
  if (row < 0 || column < 0 || row >= map->height || column >= map->width || !map->cells) return nullptr;
  if (map->viewOf) return CellAddress(map->viewOf, map->viewTop + row, map->viewLeft + column);
  return &map->cells[static_cast<int64_t>(row) * map->width + column];
}

// The two worlds' maps: A from "stage\fai_kansei.txt", B from
// "stage\Magic1234.txt". Switches in either world reach both.
extern StageMap WorldMapA;
extern StageMap WorldMapB;
