// Bodies against the cells of a map, boxes against boxes, and distances.
#pragma once

#include <cstdint>

#include "player/player_record.h"
#include "stage/stage_file.h"

struct StageMap;
struct EnemySlot;

constexpr int32_t MoveFree = 90;
constexpr int32_t MoveCeiling = 91;
constexpr int32_t MoveWallRight = 92;
constexpr int32_t MoveLanded = 93;
constexpr int32_t MoveWallLeft = 94;
constexpr int32_t MoveNoFloor = 95;
constexpr int32_t MoveHazard = 51;
constexpr int32_t MoveGoal = 52;
// Landing on switch cell v reports v + 100.
constexpr int32_t MoveSwitchOffset = 100;

// The rows a body's y counts in: the bottom 15 rows of a map.
constexpr int32_t BandRows = 15;
constexpr int32_t BandBottom = 480;
// Below the map nothing stops a fall, so whatever drops a screen's height
// past its bottom edge never comes back: enemies, shots and pick-ups that
// get this far are given up, before their speed and position grow without end.
constexpr int32_t LostBelowY = BandBottom + 480;

inline bool IsSolidCell(int32_t v) { return (v > 0 && v < 153) || v > 1000; }

// Moves the body by (dx, dy), shortened so that its box stops at solid
// cells, and reports what it met. For the character's own moves
// (isCharacter 1) the view follows and switch cells are pressed.
int32_t MoveBody(Body* body, StageMap* map, int32_t dx, int32_t dy, uint8_t isCharacter);
// Strict overlap of two rectangles given as left, top, width, height.
int32_t RectsOverlap(int32_t ax, int32_t ay, int32_t aw, int32_t ah, int32_t bx, int32_t by, int32_t bw,
                     int32_t bh);
// Whether the enemy stands within r pixels of the body (inclusive).
int32_t WithinRadius(const Body* body, const EnemySlot* slot, int32_t r);
