// The per-frame step of a world's character: gravity, the fall through the
// map, the special cells it lands on, and the push of a recoil.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

struct PlayerRecord;
struct StageMap;
struct EnemyTable;

constexpr int32_t HazardDamage = 20;
constexpr int32_t InvulnFrames = 70;

// Returns the move's result code, 93 after a switch scene or a hazard, and 52
// after the closing screen.
int32_t StepBody(DDSurface* target, DDSurface* sheet, DDSurface* sheetReversed, PlayerRecord* player,
                 PlayerRecord* other, StageMap* map, StageMap* otherMap, EnemyTable* enemies,
                 EnemyTable* otherEnemies);
void HazardHit(PlayerRecord* player);
// "THANK YOU FOR PLAYING" until Enter, which ends the program.
void EndScreen();
// Shows the part of the map around the event's marker while its hidden
// cells are revealed and its gates open. 1, or -100 when the map has no
// marker of that value.
int32_t RunSwitchEvent(PlayerRecord* player, StageMap* map, int32_t event);
