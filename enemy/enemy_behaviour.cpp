#include "enemy/enemy_behaviour.h"

#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "stage/collision.h"
#include "stage/stage_map.h"

// For now an enemy only falls and stands: its walk, its throw, its contact
// with the character and its death come with its behaviour.

namespace {

void Fall(EnemySlot* slot, StageMap* map) {
  // Held at 30 so that an enemy fallen out of the map cannot run its y past
  // the int32 range however long the game lasts.
  if (slot->body.vy < 30) slot->body.vy += 1;
  MoveBody(&slot->body, map, 0, slot->body.vy, 0);
}

}  // namespace

void UpdateWalker(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord*, int32_t index) {
  EnemySlot* slot = &table->slots[index];
  Fall(slot, map);
  const Body& b = slot->body;
  DDSurface* sheet = b.facing == -2 ? EnemySheet : GEnemySheet;
  BltClipped(dest, b.x - map->scrollX - 50, b.y + map->scrollY - 50, sheet, 0, 0, 100, 80, BltKeyed);
  slot->body.hurt = 0;
}

void UpdateThrower(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord*, int32_t index) {
  EnemySlot* slot = &table->slots[index];
  Fall(slot, map);
  const Body& b = slot->body;
  BltClipped(dest, b.x - map->scrollX - 32, b.y + map->scrollY - 32, EnemySheet, 0, 100, 64, 164, BltKeyed);
  slot->body.hurt = 0;
}
