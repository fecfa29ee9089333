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
#include "stage/stage_map.h"
#include "stage/map_drawing.h"

namespace {

constexpr int SceneRows = 15;
constexpr int MarkerColumn = 10;   // the marker's column in the view
constexpr int GateColumns = 20;    // gates are looked for in these columns
constexpr int GateListSize = 20;
constexpr int32_t MarkerSearch = 20;  // markers looked at for the event
constexpr int OpeningFrames = 12;
constexpr int HoldFrames = 60;
constexpr int FadeStep = 20;

// The scene works on its own copy of the map's rows around the marker, one
// map row per view row, the marker at view column 10. Cells that would lie
// beyond the map read as empty and are not written back, so a marker near an
// edge never reaches outside the map.
struct SceneView {
  StageMap* source;
  int32_t firstRow;
  int32_t firstColumn;
  std::vector<int32_t> cells;
  StageMap map;
};

void LoadView(SceneView* v) {
  for (int r = 0; r < SceneRows; r++)
    for (int c = 0; c < v->source->width; c++)
      v->cells[r * v->source->width + c] = CellAt(v->source, v->firstRow + r, v->firstColumn + c);
}

void StoreView(SceneView* v) {
  for (int r = 0; r < SceneRows; r++)
    for (int c = 0; c < v->source->width; c++)
      if (int32_t* cell = CellAddress(v->source, v->firstRow + r, v->firstColumn + c))
        *cell = v->cells[r * v->source->width + c];
}

void DrawScene(SceneView* v, EnemyTable* scene, PlayerRecord* player, bool withEnemies) {
  RECT whole{0, 0, ScreenWidth, ScreenHeight};
  BltFast(BackBuffer, 0, 0, BackgroundSurface, &whole, DDBLTFAST_WAIT);
  DrawStageMap(BackBuffer, &v->map, scene);
  if (withEnemies) UpdateEnemies(BackBuffer, scene, &v->map, player);
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

  SceneView view;
  view.source = map;
  view.firstRow = map->eventCells[found] / map->width;
  view.firstColumn = map->eventCells[found] % map->width - MarkerColumn;
  view.cells.assign(static_cast<size_t>(SceneRows) * map->width, 0);
  LoadView(&view);
  view.map = *map;
  view.map.height = SceneRows;
  view.map.scrollX = view.map.scrollY = view.map.scrollXTotal = view.map.scrollYTotal = 0;
  view.map.cells = view.cells.data();
  static EnemyTable scene;  // too large for the stack; the scene owns it while it runs
  std::memset(&scene, 0, sizeof scene);

  int32_t gates[GateListSize];
  int gateCount = 0;
  for (int r = 0; r < SceneRows; r++)
    for (int c = 0; c < GateColumns; c++) {
      const int32_t index = r * map->width + c;
      const int32_t v = view.cells[index];
      if (v >= 151 && v <= 200 && gateCount < GateListSize) gates[gateCount++] = index;
    }

  DrawScene(&view, &scene, player, false);
  FadeIn(FadeStep, GamePalette);

  // The reveal reaches the whole map, not only the view.
  StoreView(&view);
  const int64_t cellCount = static_cast<int64_t>(map->width) * map->height;
  for (int32_t k = 0; k < map->hiddenCount; k++) {
    const int32_t index = map->hiddenCells[k];
    if (index < 0 || index >= cellCount) continue;
    const int32_t v = map->cells[index];
    if (v >= base && v < base + 1000) map->cells[index] = v - base;
  }
  LoadView(&view);

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
        view.cells[gates[g]] += 2;
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
    if (r >= 0 && r < SceneRows && c >= 0 && c < map->width) view.cells[r * map->width + c] = s.kind;
  }
  StoreView(&view);
  return 1;
}
