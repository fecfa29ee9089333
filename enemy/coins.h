// The pick-ups that beaten enemies throw: coins and hearts, one table for
// both worlds.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

struct EnemySlot;
struct StageMap;
struct PlayerRecord;

constexpr int CoinSlots = 150;
constexpr int8_t CoinKindCoin = 1;
constexpr int8_t CoinKindHeart = 2;
// Frames a pick-up lasts; over its last 100 it blinks.
constexpr int32_t CoinLife = 500;
// Skill points stop growing from coins at this many.
constexpr int32_t SkillPointLimit = 10000;

struct CoinEntry {
  int32_t x;     // centre, world coordinates
  int32_t y;
  int8_t kind;   // 0 free, CoinKindCoin, CoinKindHeart
  int32_t vy;    // positive downward
  int32_t vx;
  int32_t life;  // frames left
  int32_t boxTop;
  int32_t boxBottom;
  int32_t boxRight;
  int32_t boxLeft;
};

struct CoinTable {
  CoinEntry entries[CoinSlots];
};

// The one table, zero at start and never cleared: pick-ups outlive a new game.
extern CoinTable Coins;

// Up to `count` pick-ups in a fan from the enemy's position; a full table
// drops the rest.
void ThrowCoins(CoinTable* coins, const EnemySlot* enemy, StageMap* map, int32_t count);
// Moves and draws every pick-up once, and frees the expired ones.
void UpdateCoins(DDSurface* dest, CoinTable* coins, StageMap* map);
// Applies and frees every pick-up the active character touches.
void CollectCoins(PlayerRecord* active, PlayerRecord* other, CoinTable* coins, StageMap* map);
