// The world switch frame by frame: the active world frozen, and the other
// world growing over it from the inset to the whole screen.
#include "app/world_switch.h"

#include "app/game.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "player/player_record.h"
#include "stage/map_drawing.h"
#include "stage/stage_map.h"

uint8_t SwitchPhase;
int32_t SwitchZoomWidth;
int32_t SwitchZoomHeight;
RECT SwitchDestRect;

namespace {

constexpr RECT WholeScreen{0, 0, ScreenWidth, ScreenHeight};

// The active world as it stands when the switch begins; it stays behind the
// zoom, frozen, for the whole switch.
void FreezeActiveWorld(PlayerRecord* p, DDSurface* sheet, StageMap* map, EnemyTable* enemies) {
  BltFast(WorkSurface, 0, 0, BackgroundSurface, &WholeScreen, BltOpaque);
  DrawStageMap(WorkSurface, map, enemies);
  UpdateEnemies(WorkSurface, enemies, map, p);
  // Always the standing picture: the switch only starts from it.
  BltClipped(WorkSurface, p->body.x - map->scrollX - 32, p->body.y + map->scrollY - 32, sheet, 0, 0, 64, 64,
             BltKeyed);
}

}  // namespace

void RunWorldSwitch(PlayerRecord* active, DDSurface* sheet, StageMap* map, EnemyTable* enemies,
                    uint8_t* switchActive) {
  if (SwitchPhase == SwitchIdle) {
    SwitchZoomWidth = 160;
    SwitchZoomHeight = 120;
    SwitchPhase = SwitchZooming;
    FreezeActiveWorld(active, sheet, map, enemies);
  }
  if (SwitchPhase == SwitchZooming) {
    if (SwitchZoomWidth < ScreenWidth) {
      SwitchZoomWidth += 32;
      SwitchZoomHeight += 24;
    } else {
      SwitchPhase = SwitchFinishing;
    }
    SwitchDestRect.right = SwitchZoomWidth;
    SwitchDestRect.bottom = SwitchZoomHeight;
    BltFast(BackBuffer, 0, 0, WorkSurface, &WholeScreen, BltOpaque);
    // The other world as last composed; its transparent index lets the
    // frozen world show through.
    Blt(BackBuffer, &SwitchDestRect, OtherWorldSurface, &WholeScreen, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
  }
  if (SwitchPhase == SwitchFinishing) {
    GameMode = static_cast<signed char>((GameMode + 1) % 2);
    *switchActive = 0;
    SwitchPhase = SwitchIdle;
  }
}
