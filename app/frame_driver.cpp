// One frame of play, in the order the game relies on: the active world with
// its input, the other world into the inset, the gauge, shared HP, the flip.
#include "app/frame_driver.h"

#include "app/game.h"
#include "app/menus.h"
#include "app/world_switch.h"
#include "enemy/coins.h"
#include "enemy/enemy_table.h"
#include "enemy/explosion.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "growth/skill_menu.h"
#include "player/player_attacks.h"
#include "player/player_input.h"
#include "player/player_record.h"
#include "player/player_step.h"
#include "stage/collision.h"
#include "stage/map_drawing.h"
#include "stage/stage_map.h"

DWORD FrameClock;
uint8_t WorldSwitchActive;
uint8_t KeyLatchCtrl;

namespace {

DDSurface* SheetOf(const PlayerRecord* p) { return p->body.facing == 1 ? CharSheet : CharSheetReversed; }

void CopyBackground(DDSurface* dest) {
  RECT whole{0, 0, ScreenWidth, ScreenHeight};
  BltFast(dest, 0, 0, BackgroundSurface, &whole, DDBLTFAST_WAIT);
}

int32_t ExplosionAt(DDSurface* dest, PlayerRecord* p, const StageMap* map) {
  return DrawExplosion(dest, p->body.x - map->scrollX - 32, p->body.y + map->scrollY - 32, &p->explodeFrame,
                       DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
}

// The active character's part of the frame: input, the skill menu, its step.
// False when the game was closed from the skill menu: the frame ends there,
// with the menu's picture on the screen.
bool StepActive(PlayerRecord* p, PlayerRecord* q, EnemyTable* e, EnemyTable* f, StageMap* m, StageMap* n) {
  Body& b = p->body;
  if (b.hurt == 0) {
    ReadPlayerInput(p, m);
    if (KeyDown(VK_CONTROL) && KeyLatchCtrl == 0) {
      KeyLatchCtrl = 1;
      RunSkillMenu(p, q);
      if (IsQuitRequested()) return false;
    }
  }
  const int32_t result = StepBody(BackBuffer, CharSheet, CharSheetReversed, p, q, m, n, e, f);
  if (result == MoveNoFloor) {
    b.air = b.air >= 2 ? ClingFall : Airborne;
    if (b.attack == AttackNone) b.anim = 1;
  } else if (result == MoveLanded) {
    p->jumpOriginX = 0;
    if (b.attack == AttackThrust) b.attack = AttackNone;
  }
  if (KeyDown(VK_BACK)) TryRandomSpawn(e, m);
  return true;
}

void ComposeOtherWorld(PlayerRecord* p, PlayerRecord* q, EnemyTable* e, EnemyTable* f, StageMap* m, StageMap* n,
                       bool deathMode) {
  StepBody(OtherWorldSurface, CharSheet, CharSheetReversed, q, p, n, m, f, e);
  CopyBackground(OtherWorldSurface);
  DrawStageMap(OtherWorldSurface, n, f);
  TryRandomSpawn(f, n);
  UpdateEnemies(OtherWorldSurface, f, n, q);
  if (q->body.dead == 0) DrawPlayer(OtherWorldSurface, n, q, SheetOf(q), f);
  if (deathMode) ExplosionAt(OtherWorldSurface, q, n);
  DrawInset(BackBuffer, OtherWorldSurface);
}

void ReleaseKeys(PlayerRecord* p, EnemyTable* e) {
  Body& b = p->body;
  if (b.attack == AttackNone) {
    if (b.air == Grounded && !KeyDown(VK_RIGHT) && !KeyDown(VK_LEFT) && b.hurt == 0) b.anim = 1;
    if (!KeyDown('X')) KeyLatchX = 0;
    if (!KeyDown('C')) KeyLatchC = 0;
    for (EnemySlot& s : e->slots) s.hitsThisAttack = 0;
  }
  if (!KeyDown('Z')) KeyLatchZ = 0;
  if (!KeyDown(VK_CONTROL)) KeyLatchCtrl = 0;
}

}  // namespace

void RunFrame(PlayerRecord* active, PlayerRecord* other, EnemyTable* activeEnemies, EnemyTable* otherEnemies,
              StageMap* activeMap, StageMap* otherMap) {
  SetInputScreen(InputPlay);
  const DWORD now = timeGetTime();
  if (now - FrameClock < FrameInterval) return;
  FrameClock = now;
  FramesOfPlay++;

  Body& b = active->body;
  // Only a character standing still switches. The walk counter passes
  // through the standing pose's value every nine frames, so a held arrow
  // must block the switch too.
  const bool standing = b.air == Grounded && b.attack == AttackNone && b.anim == 1 && !KeyDown(VK_RIGHT) &&
                        !KeyDown(VK_LEFT);
  if (WorldSwitchActive == 0 && standing && KeyDown(VK_SPACE)) WorldSwitchActive = 1;
  if (WorldSwitchActive == 1) {
    RunWorldSwitch(active, SheetOf(active), activeMap, activeEnemies, &WorldSwitchActive);
  } else {
    const bool deathMode = b.dead != 0 || other->body.dead != 0;
    if (!deathMode && !StepActive(active, other, activeEnemies, otherEnemies, activeMap, otherMap)) return;
    CopyBackground(BackBuffer);
    DrawStageMap(BackBuffer, activeMap, activeEnemies);
    if (b.dead == 0) {
      DrawPlayer(BackBuffer, activeMap, active, SheetOf(active), activeEnemies);
      UpdateEnemies(BackBuffer, activeEnemies, activeMap, active);
    }
    UpdateCoins(BackBuffer, &Coins, activeMap);
    CollectCoins(active, other, &Coins, activeMap);
    if (deathMode && ExplosionAt(BackBuffer, active, activeMap)) b.dead = 2;
    DrawComboBanner(ComboCount);
    ComposeOtherWorld(active, other, activeEnemies, otherEnemies, activeMap, otherMap, deathMode);
    ReleaseKeys(active, activeEnemies);
    DrawGauge(BackBuffer, BlackPen, RedBrush, 200, 20, active->maxHp, 10, b.hp);
  }
  // Damage in either world is damage to both.
  if (b.hp > other->body.hp)
    b.hp = other->body.hp;
  else
    other->body.hp = b.hp;
  if (b.dead == 2) RunDeathDialog(active, other);
  Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
}
