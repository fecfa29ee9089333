// The tiles of the visible window drawn from the tile sheet, enemy cells
// handed to the spawner, and the scroll that follows the character.
#include "stage/map_drawing.h"

#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "stage/stage_map.h"

namespace {

struct TilePicture {
  int16_t left, top;
  bool keyed;
};

// The picture of a tile value, or false when the value shows nothing.
bool PictureOf(int32_t v, TilePicture* out) {
  struct Entry {
    int16_t value, left, top;
    bool keyed;
  };
  static const Entry table[] = {
      {1, 0, 64, false},   {2, 32, 64, false},  {3, 32, 32, true},   {4, 64, 64, true},
      {5, 0, 96, true},    {6, 0, 128, true},   {7, 32, 96, true},   {8, 32, 128, true},
      {9, 64, 96, true},   {10, 64, 128, true},
      // 11 and 12 have their place on the sheet but no stage uses them.
      {11, 96, 96, true},  {12, 96, 128, true},
      {51, 32, 32, true},  {52, 64, 64, false}, {53, 0, 96, false},  {54, 0, 128, false},
      {55, 32, 96, true},  {56, 32, 128, true}, {57, 64, 96, true},  {58, 64, 128, true},
      {59, 96, 96, true},  {60, 96, 128, true},
      {150, 32, 0, true},  {151, 0, 96, true},  {152, 0, 128, true}, {153, 32, 96, true},
      {154, 32, 128, true}, {155, 64, 96, true}, {156, 64, 128, true}, {157, 96, 96, true},
      {158, 96, 128, true},
  };
  if (v >= 1000) v = 1;  // a hidden cell looks like plain ground
  if (v >= 101 && v <= 149) {
    *out = {0, 0, true};
    return true;
  }
  for (const Entry& e : table)
    if (e.value == v) {
      *out = {e.left, e.top, e.keyed};
      return true;
    }
  return false;
}

}  // namespace

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
        SpawnEnemy(enemies, map, cell, c, v);
        continue;
      }
      TilePicture p;
      if (!PictureOf(value, &p)) continue;
      BltClipped(dest, 32 * c - fineX, 32 * v + fineY, TileSheet, p.left, p.top, p.left + 32, p.top + 32,
                 p.keyed ? BltKeyed : BltOpaque);
    }
  }
}

void ScrollWithCharacter(StageMap* map, int32_t dx, int32_t dy) {
  map->scrollXTotal += dx;
  map->scrollX = map->scrollXTotal >= 0 ? map->scrollXTotal : 0;
  if (map->width - 21 < map->scrollX / 32) map->scrollX = 32 * (map->width - 20);
  map->scrollYTotal -= dy;  // a move down lowers the view
  map->scrollY = map->scrollYTotal >= 0 ? map->scrollYTotal : 0;
  if (map->height - map->scrollY / 32 - 16 < 0) map->scrollY = 32 * (map->height - 15);
}
