// The pick-ups that beaten enemies throw: coins and hearts, one table for
// both worlds.
#pragma once

#include "platform/ddraw.h"

struct CoinTable;
struct StageMap;
struct PlayerRecord;

// The table itself arrives with the pick-ups; until then callers pass null.
void UpdateCoins(DDSurface* dest, CoinTable* coins, StageMap* map);
void CollectCoins(PlayerRecord* active, PlayerRecord* other, CoinTable* coins, StageMap* map);
