// What each kind of enemy does in one frame: move, test and draw.
#pragma once

#include <cstdint>

#include "platform/ddraw.h"

struct EnemyTable;
struct StageMap;
struct PlayerRecord;

void UpdateWalker(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player, int32_t index);
void UpdateThrower(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player, int32_t index);
