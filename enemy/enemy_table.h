// Each world's 100 enemy slots, how enemies are placed into them, and the
// pass that runs every occupied slot once a frame.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"
#include "player/player_record.h"

struct StageMap;

constexpr int32_t KindWalker = 301;
constexpr int32_t KindThrower = 302;
constexpr int EnemySlots = 100;

struct EnemySlot {
  int32_t reserved0;
  Body body;               // laid out as the character's, for MoveBody and the hit test
  int32_t kind;            // 0 free, KindWalker, KindThrower
  int32_t reserved17;      // cleared by the hit test
  int32_t hitsThisAttack;  // hits taken from the character's current attack
  int8_t stateTicks;       // thrower's timed states
  int8_t throwPoseDone;
  int32_t shotBlastTick;
  int32_t deathBlastTick;
  double shotX;
  double shotY;
  double shotVX;
  double shotVY;
};

struct EnemyTable {
  EnemySlot slots[EnemySlots];
};

// Places an enemy of the kind the holder names (a map cell or a variable)
// at view column `column`, view row `row`; the holder becomes 0 once placed.
// Other kinds, or a full table, change nothing.
void SpawnEnemy(EnemyTable* table, const StageMap* map, int32_t* holder, int32_t column, int32_t row);
// One chance in a thousand of an enemy walking in from the right.
void TryRandomSpawn(EnemyTable* table, const StageMap* map);
// Runs and draws every occupied slot, in slot order.
void UpdateEnemies(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player);
