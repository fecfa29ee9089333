// MoveBody: a move clipped at solid cells, with what it met; and the box
// and distance tests.
#include "stage/collision.h"

#include <cstdlib>

#include "enemy/enemy_table.h"
#include "stage/map_drawing.h"
#include "stage/stage_map.h"

namespace {

// Floor division by the cell size, for negative pixels too.
inline int32_t CellOf(int32_t pixel) { return pixel >> 5; }

// The first solid cell of one map row between two columns, or 0.
int32_t FirstSolidInRow(const StageMap* map, int32_t row, int32_t fromColumn, int32_t toColumn) {
  for (int32_t c = fromColumn; c <= toColumn; c++) {
    const int32_t v = CellAt(map, row, c);
    if (IsSolidCell(v)) return v;
  }
  return 0;
}

int32_t FirstSolidInColumn(const StageMap* map, int32_t column, int32_t fromRow, int32_t toRow) {
  for (int32_t r = fromRow; r <= toRow; r++) {
    const int32_t v = CellAt(map, r, column);
    if (IsSolidCell(v)) return v;
  }
  return 0;
}

}  // namespace

int32_t MoveBody(Body* body, StageMap* map, int32_t dx, int32_t dy, uint8_t isCharacter) {
  // The box as it stands before the move; every step tests against it.
  const int32_t left = body->x + body->boxLeft;
  const int32_t right = body->x + body->boxRight;
  const int32_t top = body->y + body->boxTop;
  const int32_t bottom = body->y + body->boxBottom;
  const int32_t band = map->height - BandRows;
  int32_t result = MoveFree;

  if (dy < 0) {
    const int32_t candidate = top + dy;
    if (FirstSolidInRow(map, band + CellOf(candidate), CellOf(left), CellOf(right))) {
      body->vy = 0;
      result = MoveCeiling;
      dy = CellOf(candidate) * CellSize + CellSize - top;
    }
  }
  // Walls are not looked for once the box reaches the bottom of the map.
  const bool sideways = bottom < BandBottom && top < BandBottom;
  if (dx < 0 && sideways) {
    const int32_t candidate = left + dx;
    if (FirstSolidInColumn(map, CellOf(candidate), band + CellOf(top), band + CellOf(bottom))) {
      result = MoveWallLeft;
      dx = CellOf(candidate) * CellSize + CellSize - left;
    }
  }
  // A box already inside a wall on its left may have been pushed right.
  if (dx > 0 && sideways) {
    const int32_t candidate = right + dx;
    if (FirstSolidInColumn(map, CellOf(candidate), band + CellOf(top), band + CellOf(bottom))) {
      result = MoveWallRight;
      dx = CellOf(candidate) * CellSize - 1 - right;
    }
  }
  if (dy > 0) {
    if (bottom > BandBottom) {
      result = MoveNoFloor;  // below the map: falls on
    } else {
      const int32_t candidate = bottom + dy;
      const int32_t row = band + CellOf(candidate);
      result = MoveNoFloor;
      for (int32_t c = CellOf(left); c <= CellOf(right); c++) {
        const int32_t v = CellAt(map, row, c);
        if (!IsSolidCell(v)) continue;
        body->air = 0;
        body->vy = 0;
        dy = CellOf(candidate) * CellSize - 1 - bottom;
        result = MoveLanded;
        if (v >= 101 && v <= 150 && isCharacter) {
          *CellAddress(map, row, c) = 150;
          result = v + MoveSwitchOffset;
        } else if (v == MoveHazard || v == MoveGoal) {
          result = v;
        }
        break;
      }
    }
  }
  body->x += dx;
  body->y += dy;
  if (isCharacter) ScrollWithCharacter(map, dx, dy);
  return result;
}

int32_t RectsOverlap(int32_t ax, int32_t ay, int32_t aw, int32_t ah, int32_t bx, int32_t by, int32_t bw,
                     int32_t bh) {
  // The far edges in 64 bits, so that a box near the end of the range cannot wrap.
  const int64_t aRight = static_cast<int64_t>(ax) + aw, aBottom = static_cast<int64_t>(ay) + ah;
  const int64_t bRight = static_cast<int64_t>(bx) + bw, bBottom = static_cast<int64_t>(by) + bh;
  return ax < bRight && bx < aRight && ay < bBottom && by < aBottom;
}

int32_t WithinRadius(const Body* body, const EnemySlot* slot, int32_t r) {
  // Two bodies far apart must not overflow into "near": a difference beyond
  // r on either axis is out at once, and what is left squares and adds up
  // within 64 unsigned bits.
  const uint64_t ex = static_cast<uint64_t>(std::abs(static_cast<int64_t>(body->x) - slot->body.x));
  const uint64_t ey = static_cast<uint64_t>(std::abs(static_cast<int64_t>(body->y) - slot->body.y));
  const uint64_t radius = static_cast<uint64_t>(std::abs(static_cast<int64_t>(r)));
  if (ex > radius || ey > radius) return 0;
  return ex * ex + ey * ey <= radius * radius;
}
