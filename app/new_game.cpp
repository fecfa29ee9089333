// SPDX-License-Identifier: MIT
// The whole state a new game starts from, and the end of a game.
#include "app/new_game.h"

#include <cstring>

#include "app/frame_driver.h"
#include "app/game.h"
#include "app/random.h"
#include "app/world_switch.h"
#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "gfx/hud.h"
#include "growth/skill_menu.h"
#include "player/player_input.h"
#include "player/player_record.h"

uint8_t PlayTesting;
uint8_t PlayTestEnd;

void SetStartingPlayer(PlayerRecord* p) {
  Body& b = p->body;
  b.x = 320;
  b.y = 263;
  b.boxWidth = 20;
  b.boxHeight = 52;
  b.hp = 100;
  b.facing = 1;
  b.boxTop = -28;
  b.boxBottom = 24;
  b.boxRight = 10;
  b.boxLeft = -10;
  p->maxHp = 100;
  p->skillPoints = 0;
  const SkillSlot offered[5] = {{1, 10}, {1, 10}, {0, 20}, {0, 30}, {1, 20}};
  for (int i = 0; i < SkillSlots; i++) p->skills[i] = i < 5 ? offered[i] : SkillSlot{-1, 0};
}

void ResetNewGameState(PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA, EnemyTable* enemiesB) {
  std::memset(playerA, 0, sizeof *playerA);
  std::memset(playerB, 0, sizeof *playerB);
  std::memset(enemiesA, 0, sizeof *enemiesA);
  std::memset(enemiesB, 0, sizeof *enemiesB);
  SetStartingPlayer(playerA);
  std::memcpy(playerB, playerA, sizeof *playerB);
  Coins = CoinTable{};
  ComboCount = 0;
  ComboBannerX = 0;
  SwitchPhase = SwitchIdle;
  SwitchZoomWidth = SwitchZoomHeight = 0;
  SwitchDestRect = RECT{};
  WorldSwitchActive = 0;
  FrameClock = 0;
  KeyLatchCtrl = 0;
  KeyLatchEnter = 0;
  DirectionLatch = KeyLatchZ = KeyLatchX = KeyLatchC = 0;
  SeedRandomAsAtStart();
}

void EndGame(uint8_t how) {
  if (!PlayTesting) {
    PostQuitMessage(0);
    return;
  }
  PlayTesting = 0;
  PlayTestEnd = how;
  GameMode = ModeEditor;
}
