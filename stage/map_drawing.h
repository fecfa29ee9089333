// The visible window of a map, cell by cell, and the camera that follows the
// character.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

struct StageMap;
struct EnemyTable;

// Draws view rows -1 (when it is a row of the map) to 14 and view columns 0
// to 20 onto a surface that already holds the background, and hands every
// enemy cell it meets to the world's spawner.
void DrawStageMap(DDSurface* dest, StageMap* map, EnemyTable* enemies);
// The same window with no spawning: enemy cells stay in the map, undrawn
// (for a stage being edited, whose marks are drawn over it).
void DrawStageTiles(DDSurface* dest, StageMap* map);
// The view follows a move of (dx, dy) that the character has just made.
void ScrollWithCharacter(StageMap* map, int32_t dx, int32_t dy);
