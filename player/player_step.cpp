// Each frame's step of a character: gravity and the fall, what it lands on
// (a switch's scene, the hazard, the goal's closing screen), the recoil.
#include "player/player_step.h"

#include "app/game.h"
#include "app/game_texts.h"
#include "app/new_game.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "gfx/hud.h"
#include "player/player_attacks.h"
#include "player/player_record.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "stage/map_drawing.h"
#include "stage/stage_map.h"

namespace {

constexpr int32_t FallLimit = 30;
constexpr int FadeStep = 20;
// Switch values 101 to 124 run world A's events 201 to 224; 125 to 148 world B's.
constexpr int32_t FirstEventA = 201, LastEventA = 224;
constexpr int32_t LastEventB = 248;

}  // namespace

void HazardHit(PlayerRecord* player) {
  Body& b = player->body;
  ApplyDamage(&b, HazardDamage);
  b.attack = AttackNone;
  b.anim = 0;
  b.vy = -10;
  b.air = Airborne;
  ComboCount = 0;
  ComboBannerX = BannerHurtX;
}

void EndScreen() {
  if (ClosingScreenFrames == 0) ClosingScreenFrames = FramesOfPlay;
  while (true) {
    SetInputScreen(InputClosing);
    HDC dc = nullptr;
    if (GetDC(BackBuffer, &dc) == DD_OK) {
      RoundRect(dc, 120, 160, 520, 220, 10, 10);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkMode(dc, TRANSPARENT);
      RECT thanks{200, 165, 515, 235};
      DrawTextA(dc, GameText(TextThanks), -1, &thanks, 0);
      RECT enter{220, 190, 515, 225};
      DrawTextA(dc, GameText(TextPressEnter), -1, &enter, 0);
      ReleaseDC(BackBuffer, dc);
    }
    if (KeyDown(VK_RETURN)) {
      EndGame(GameEndGoal);
      return;
    }
    // A closed window ends the game from here too, through the main loop.
    if (IsQuitRequested()) return;
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
}

int32_t StepBody(DDSurface* target, DDSurface* sheet, DDSurface* sheetReversed, PlayerRecord* player,
                 PlayerRecord* other, StageMap* map, StageMap*, EnemyTable* enemies, EnemyTable*) {
  Body& b = player->body;
  b.vy += 1;
  if (b.vy > FallLimit) b.vy = FallLimit;
  int32_t result = MoveBody(&b, map, 0, b.vy, 1);
  if (result >= FirstEventA && result <= LastEventB) {
    FadeOut(FadeStep, GamePalette);
    if (result <= LastEventA)
      RunSwitchEvent(player, &WorldMapA, result);
    else
      RunSwitchEvent(other, &WorldMapB, result);
    RECT whole{0, 0, ScreenWidth, ScreenHeight};
    BltFast(target, 0, 0, BackgroundSurface, &whole, DDBLTFAST_WAIT);
    DrawStageMap(target, map, enemies);
    UpdateEnemies(target, enemies, map, player);
    DrawPlayer(target, map, player, b.facing == 1 ? sheet : sheetReversed, enemies);
    FadeIn(FadeStep, GamePalette);
    result = MoveLanded;
  } else if (result == MoveHazard) {
    if (b.invuln == 0) {
      HazardHit(player);
      PlaySoundEffect(SeHit);
      b.invuln = InvulnFrames;
    }
    result = MoveLanded;
  } else if (result == MoveGoal) {
    EndScreen();
  }
  // The recoil pushes away from the way the character faces.
  if (b.hurt == 1) MoveBody(&b, map, -2 * b.facing, 0, 1);
  return result;
}
