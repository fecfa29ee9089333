// Placing enemies into a world's slots, from its map cells or by a random
// roll, and the pass over every occupied slot.
#include "enemy/enemy_table.h"

#include <cstring>

#include "app/random.h"
#include "enemy/enemy_behaviour.h"
#include "stage/stage_map.h"

void SpawnEnemy(EnemyTable* table, const StageMap* map, int32_t* holder, int32_t column, int32_t row) {
  const int32_t kind = *holder;
  if (kind != KindWalker && kind != KindThrower) return;
  EnemySlot* slot = nullptr;
  for (EnemySlot& s : table->slots)
    if (s.kind == 0) {
      slot = &s;
      break;
    }
  if (!slot) return;  // full: the cell stays and is offered again
  std::memset(slot, 0, sizeof *slot);
  Body& b = slot->body;
  // Placed by the screen grid, not by the cell: the fine scroll shifts it.
  if (kind == KindWalker) {
    b.x = map->scrollX + 32 * column + 50;
    b.y = 32 * row - map->scrollY - 18;
    b.boxTop = -24;
    b.boxBottom = 25;
    b.boxRight = 20;
    b.boxLeft = -20;
  } else {
    b.x = map->scrollX + 32 * column;
    b.y = 32 * row - map->scrollY;
    b.boxTop = -25;
    b.boxBottom = 32;
    b.boxRight = 23;
    b.boxLeft = -23;
  }
  b.vy = 1;
  b.vx = -2;
  b.facing = -2;
  b.hp = 100;
  slot->kind = kind;
  *holder = 0;
}

void TryRandomSpawn(EnemyTable* table, const StageMap* map) {
  if (Random() % 1000 != 234) return;
  const int32_t base = map->height - map->scrollY / 32 - 15;
  const int32_t columns[3] = {(map->scrollX + 672) / 32, (map->scrollX + 704) / 32, (map->scrollX + 736) / 32};
  if (columns[2] > map->width) return;
  for (int32_t i = 0; i < 15; i++) {
    if (base + i - 1 < 0) continue;  // the block's top row would be above the map
    bool empty = true;
    // Cells beyond the map's right or bottom edge count as empty.
    for (int32_t r = base + i - 1; r <= base + i + 1 && empty; r++)
      for (int32_t c : columns)
        if (CellAt(map, r, c) != 0) {
          empty = false;
          break;
        }
    if (!empty) continue;
    int32_t kind = KindWalker + (Random() % 100) / 50;
    SpawnEnemy(table, map, &kind, 22, i);
    return;
  }
}

void UpdateEnemies(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player) {
  for (int32_t i = 0; i < EnemySlots; i++) {
    if (table->slots[i].kind == KindWalker)
      UpdateWalker(dest, table, map, player, i);
    else if (table->slots[i].kind == KindThrower)
      UpdateThrower(dest, table, map, player, i);
  }
}
