// The tiles of the visible window drawn from the tile sheet, enemy cells
// handed to the spawner, and the scroll that follows the character.
#include "stage/map_drawing.h"

#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "stage/cell_kinds.h"
#include "stage/stage_map.h"

void DrawStageMap(DDSurface* dest, StageMap* map, EnemyTable* enemies) {
  const int32_t firstColumn = map->scrollX / 32;
  const int32_t fineX = map->scrollX % 32;
  const int32_t fineY = map->scrollY % 32;
  const int32_t rowAtTop = map->height - 15 - map->scrollY / 32;  // map row of view row 0
  const int32_t firstViewRow = map->height - map->scrollY / 32 > 15 ? -1 : 0;
  for (int32_t v = firstViewRow; v <= 14; v++) {
    for (int32_t c = 0; c <= 20; c++) {
      int32_t* cell = CellAddress(map, rowAtTop + v, firstColumn + c);
      if (!cell) continue;  // beyond the map: empty
      const int32_t value = *cell;
      if (value == 0) continue;
      if (value < 0 || (value >= 201 && value <= 999)) {
        if (enemies) SpawnEnemy(enemies, map, cell, c, v);
        continue;
      }
      CellPicture p;
      if (!PictureOfCell(value, &p)) continue;
      BltClipped(dest, 32 * c - fineX, 32 * v + fineY, TileSheet, p.left, p.top, p.left + 32, p.top + 32,
                 p.keyed ? BltKeyed : BltOpaque);
    }
  }
}

void DrawStageTiles(DDSurface* dest, StageMap* map) { DrawStageMap(dest, map, nullptr); }

void ScrollWithCharacter(StageMap* map, int32_t dx, int32_t dy) {
  map->scrollXTotal += dx;
  map->scrollX = map->scrollXTotal >= 0 ? map->scrollXTotal : 0;
  if (map->width - 21 < map->scrollX / 32) map->scrollX = 32 * (map->width - 20);
  map->scrollYTotal -= dy;  // a move down lowers the view
  map->scrollY = map->scrollYTotal >= 0 ? map->scrollYTotal : 0;
  if (map->height - map->scrollY / 32 - 16 < 0) map->scrollY = 32 * (map->height - 15);
}
