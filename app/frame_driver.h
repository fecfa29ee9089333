// One frame of play: both worlds stepped and composed, every 30 ms.
#pragma once

#include <cstdint>

#include "platform/win32/win32.h"

struct PlayerRecord;
struct EnemyTable;
struct StageMap;

extern DWORD FrameClock;
extern uint8_t WorldSwitchActive;
extern uint8_t KeyLatchCtrl;

// The active world's records first, the other world's second.
void RunFrame(PlayerRecord* active, PlayerRecord* other, EnemyTable* activeEnemies, EnemyTable* otherEnemies,
              StageMap* activeMap, StageMap* otherMap);
