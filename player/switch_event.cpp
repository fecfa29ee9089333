// The switch scene: the part of a map around an event marker, shown while
// the event's hidden cells are revealed and its gates rise.
#include <algorithm>
#include <cstring>
#include <vector>

#include "app/game.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "player/player_step.h"
#include "sound/sound_effects.h"
#include "stage/cell_kinds.h"
#include "stage/stage_map.h"
#include "stage/map_drawing.h"

namespace {

constexpr int32_t MarkerSearch = 20;  // markers looked at for the event
constexpr int OpeningFrames = 12;
constexpr int HoldFrames = 60;
constexpr int FadeStep = 20;

void DrawScene(StageMap* view, EnemyTable* scene, PlayerRecord* player, bool withEnemies) {
  RECT whole{0, 0, ScreenWidth, ScreenHeight};
  BltFast(BackBuffer, 0, 0, BackgroundSurface, &whole, DDBLTFAST_WAIT);
  DrawStageMap(BackBuffer, view, scene);
  if (withEnemies) UpdateEnemies(BackBuffer, scene, view, player);
}

}  // namespace

int32_t RunSwitchEvent(PlayerRecord* player, StageMap* map, int32_t event) {
  const int32_t base = (event % 200) * 1000;
  const int32_t searched = std::min(MarkerSearch, map->eventCount);
  int32_t found = -1;
  for (int32_t i = 0; i < searched; i++)
    if (map->eventValues[i] == event) {
      found = i;
      break;
    }
  if (found < 0) return -100;

  // The view: a record of its own over the map's own cells, one map row per
  // view row and the marker at view column 10. What the scene changes, it
  // changes in the map at once; cells of the view beyond the map read as
  // empty and are never written.
  StageMap view = *map;
  view.height = SceneRows;
  view.scrollX = view.scrollY = view.scrollXTotal = view.scrollYTotal = 0;
  view.viewOf = map;
  view.viewTop = map->eventCells[found] / map->width;
  view.viewLeft = map->eventCells[found] % map->width - SceneMarkerColumn;
  static EnemyTable scene;  // too large for the stack; the scene owns it while it runs
  std::memset(&scene, 0, sizeof scene);

  int32_t* gates[SceneGateLimit];
  int gateCount = 0;
  for (int r = 0; r < SceneRows; r++)
    for (int c = 0; c < SceneGateColumns; c++) {
      const int32_t v = CellAt(&view, r, c);
      if (KindOfCell(v) == CellKindGate && gateCount < SceneGateLimit) gates[gateCount++] = CellAddress(&view, r, c);
    }

  DrawScene(&view, &scene, player, false);
  FadeIn(FadeStep, GamePalette);

  // The reveal reaches the whole map, not only the view.
  const int64_t cellCount = static_cast<int64_t>(map->width) * map->height;
  for (int32_t k = 0; k < map->hiddenCount; k++) {
    const int32_t index = map->hiddenCells[k];
    if (index < 0 || index >= cellCount) continue;
    const int32_t v = map->cells[index];
    if (v >= base && v < base + 1000) map->cells[index] = v - base;
  }

  int frame = 0;
  int hold = 0;
  DWORD frameStart = timeGetTime();
  for (bool first = true;; first = false) {
    if (!first) {
      while (timeGetTime() - frameStart < FrameInterval && !IsQuitRequested()) {
      }
      frameStart = timeGetTime();
    }
    if (IsQuitRequested()) break;
    if (frame >= OpeningFrames) {
      if (KeyDown(VK_RETURN)) break;
      if (hold > HoldFrames) break;
      hold++;
      frame = OpeningFrames + 1;
    }
    if (frame % 4 == 0)
      for (int g = 0; g < gateCount; g++) {
        *gates[g] += 2;
        PlaySoundEffect(SeGara);
      }
    frame++;
    DrawScene(&view, &scene, player, true);
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
  FadeOut(FadeStep, GamePalette);

  // The scene's enemies go back into the cells they stand on, to be placed
  // again when those cells are next drawn.
  for (const EnemySlot& s : scene.slots) {
    if (s.kind < 1) continue;
    const int32_t r = s.body.y >> 5, c = s.body.x >> 5;
    if (int32_t* cell = CellAddress(&view, r, c)) *cell = s.kind;
  }
  return 1;
}
