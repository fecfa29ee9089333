// What each kind of enemy does in one frame: move, test and draw.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

struct EnemyTable;
struct StageMap;
struct PlayerRecord;

// Thrower attack states.
constexpr int8_t ThrowIdle = 0;
constexpr int8_t ThrowWindUp = 1;
constexpr int8_t ThrowWindUpLate = 2;
constexpr int8_t ThrowLaunch = 3;
constexpr int8_t ThrowFlight = 4;
constexpr int8_t ThrowBurst = 5;

// A thrower's dying mark once its explosion is over and its coins are out.
constexpr int32_t DeadCoinsThrown = -10;

constexpr int32_t ContactDamage = 5;
constexpr int32_t ShotDamage = 15;
constexpr int32_t HurtInvulnFrames = 70;
constexpr int32_t SightRadius = 350;

void UpdateWalker(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player, int32_t index);
void UpdateThrower(DDSurface* dest, EnemyTable* table, StageMap* map, PlayerRecord* player, int32_t index);
// A shot's coordinate as a whole pixel: rounded up from .45 on.
int32_t ToPixel(double v);
