#include "enemy/coins.h"

// No pick-up is thrown yet, so there is nothing to move, draw or collect.
void UpdateCoins(DDSurface*, CoinTable*, StageMap*) {}
void CollectCoins(PlayerRecord*, PlayerRecord*, CoinTable*, StageMap*) {}
