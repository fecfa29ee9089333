// Drawing a world's character in its pose, and its sword attacks hitting
// the enemies of that world.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

struct PlayerRecord;
struct StageMap;
struct EnemyTable;

// Draws the character (blinking while invulnerable), runs the hit test of a
// running attack, advances the animation and ends attacks and recoils.
void DrawPlayer(DDSurface* target, StageMap* map, PlayerRecord* player, DDSurface* sheet, EnemyTable* enemies);
// Hits every enemy under the attack's box; returns how far left of x the
// picture is drawn.
int32_t AttackHitTest(PlayerRecord* player, EnemyTable* enemies, StageMap* map, int32_t offsetX, int32_t offsetY,
                      int32_t width, int32_t height, const RECT* pictures);
