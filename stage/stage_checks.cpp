// SPDX-License-Identifier: MIT
// The checks on a pair of stages, and their words in both languages.
#include "stage/stage_checks.h"

#include <cstdio>
#include <vector>

#include "stage/cell_kinds.h"
#include "stage/collision.h"
#include "stage/stage_map.h"

namespace {

// Both characters start at x 320, y 263: a box over columns 9 and 10 and
// the band's rows 7 and 8, falling onto whatever lies under it.
constexpr int32_t StartColumns[2] = {9, 10};
constexpr int32_t StartRowInBand = 7;
constexpr int32_t StartRows = 2;

struct Checker {
  const StageMap* maps[2];
  StageFault* out;
  int most;
  int count;
  // Each event's first switch in reading order, world A before B: its world
  // and cell, or world -1 when no switch starts it. Found in one pass, so
  // that the checks stay linear in the cells.
  int8_t firstSwitchWorld[CellEventLast + 1];
  int64_t firstSwitchCell[CellEventLast + 1];
};

void Add(Checker* k, uint8_t code, int world, int32_t row, int32_t column, int32_t value) {
  if (k->count < k->most) k->out[k->count] = {code, static_cast<uint8_t>(world), row, column, value};
  k->count++;
}

// The marker of event e in a map, as the scene finds it: the first.
int MarkerOf(const StageMap* m, int32_t event) {
  for (int32_t i = 0; i < m->eventCount; i++)
    if (m->eventValues[i] == event) return i;
  return -1;
}

void FindSwitches(Checker* k) {
  for (int8_t& w : k->firstSwitchWorld) w = -1;
  for (int w = 1; w >= 0; w--) {
    const StageMap* m = k->maps[w];
    if (!m->cells) continue;
    for (int64_t i = static_cast<int64_t>(m->width) * m->height; i-- > 0;)
      if (const int32_t e = EventOfSwitch(m->cells[i]); e != 0) {
        k->firstSwitchWorld[e] = static_cast<int8_t>(w);
        k->firstSwitchCell[e] = i;
      }
  }
}

bool AnySwitchFor(const Checker* k, int32_t event) { return k->firstSwitchWorld[event] >= 0; }

void CheckStart(Checker* k, int w) {
  const StageMap* m = k->maps[w];
  const int32_t band = m->height - ViewRows;
  for (int32_t r = band + StartRowInBand; r < band + StartRowInBand + StartRows; r++)
    for (int32_t c : StartColumns)
      if (IsSolidCell(CellAt(m, r, c))) {
        Add(k, FaultStartInWall, w, r, c, CellAt(m, r, c));
        return;
      }
  for (int32_t r = band + StartRowInBand + StartRows; r < m->height; r++)
    for (int32_t c : StartColumns) {
      const int32_t v = CellAt(m, r, c);
      if (!IsSolidCell(v)) continue;
      if (v == CellHazard) Add(k, FaultNoGround, w, r, c, v);
      return;
    }
  Add(k, FaultNoGround, w, m->height - 1, StartColumns[0], 0);
}

// Whether (row, column) is in the scene of a marker of map m: its whole
// view, or only the columns whose gates it raises.
bool InSceneOf(const StageMap* m, int32_t marker, int32_t row, int32_t column, bool gateColumnsOnly) {
  const int32_t r = m->eventCells[marker] / m->width, c = m->eventCells[marker] % m->width;
  const int32_t left = c - SceneMarkerColumn;
  const int32_t columns = gateColumnsOnly ? SceneGateColumns : SceneColumns;
  return row >= r && row < r + SceneRows && column >= left && column < left + columns;
}

void CheckMarkers(Checker* k, int w) {
  const StageMap* m = k->maps[w];
  for (int32_t i = 0; i < m->eventCount; i++) {
    const int32_t e = m->eventValues[i], r = m->eventCells[i] / m->width, c = m->eventCells[i] % m->width;
    if (EventIsWorldA(e) != (w == 0)) {
      Add(k, FaultMarkerOtherWorld, w, r, c, e);
      continue;
    }
    if (MarkerOf(m, e) != i) {
      Add(k, FaultMarkerTwice, w, r, c, e);
      continue;
    }
    if (!AnySwitchFor(k, e)) Add(k, FaultMarkerUnswitched, w, r, c, e);
    const int32_t left = c - SceneMarkerColumn;
    if (left < 0 || left + SceneColumns > m->width || r + SceneRows > m->height) {
      Add(k, FaultMarkerAtEdge, w, r, c, e);
      continue;
    }
    int gates = 0, hidden = 0, hiddenShown = 0, firstHidden = -1;
    for (int32_t vr = r; vr < r + SceneRows; vr++)
      for (int32_t vc = left; vc < left + SceneGateColumns; vc++) gates += KindOfCell(CellAt(m, vr, vc)) == CellKindGate;
    for (int32_t h = 0; h < m->hiddenCount; h++) {
      const int32_t at = m->hiddenCells[h];
      if (HiddenGroup(m->cells[at]) != e - 200) continue;
      if (hidden++ == 0) firstHidden = at;
      hiddenShown += InSceneOf(m, i, at / m->width, at % m->width, false);
    }
    if (gates > SceneGateLimit) Add(k, FaultTooManyGates, w, r, c, gates);
    if (gates == 0 && hidden == 0) Add(k, FaultEventDoesNothing, w, r, c, e);
    // A hidden way may run on past the scene, but the scene must show it open.
    if (hidden > 0 && hiddenShown == 0)
      Add(k, FaultHiddenOutsideView, w, firstHidden / m->width, firstHidden % m->width, m->cells[firstHidden]);
  }
}

void CheckCells(Checker* k, int w) {
  const StageMap* m = k->maps[w];
  int enemies = 0;
  for (int32_t r = 0; r < m->height; r++)
    for (int32_t c = 0; c < m->width; c++) {
      const int32_t v = CellAt(m, r, c);
      const uint8_t kind = KindOfCell(v);
      if (kind == CellKindWalker || kind == CellKindThrower) enemies++;
      if (kind == CellKindSwitch && EventOfSwitch(v) != 0) {
        const int32_t e = EventOfSwitch(v);
        if (MarkerOf(k->maps[EventIsWorldA(e) ? 0 : 1], e) < 0) Add(k, FaultSwitchUnmarked, w, r, c, e);
        // A second switch of the event: the first in reading order, A before B, is its own.
        if (k->firstSwitchWorld[e] != w || k->firstSwitchCell[e] != int64_t{r} * m->width + c)
          Add(k, FaultSwitchTwice, w, r, c, e);
      } else if (v == CellGateFirst || v == CellGateFirst + 1) {  // a closed gate, which blocks the way
        bool opens = false;
        for (int32_t i = 0; i < m->eventCount && !opens; i++)
          opens = MarkerOf(m, m->eventValues[i]) == i && EventIsWorldA(m->eventValues[i]) == (w == 0) &&
                  InSceneOf(m, i, r, c, true);
        if (!opens) Add(k, FaultGateNeverOpens, w, r, c, v);
      } else if (kind == CellKindHidden) {
        const int32_t e = HiddenGroup(v) + 200;
        const int marker = e >= CellEventFirst && e <= CellEventLast && EventIsWorldA(e) == (w == 0) ? MarkerOf(m, e) : -1;
        if (marker < 0) Add(k, FaultHiddenNeverShown, w, r, c, v);
      }
    }
  if (enemies > MaxEnemyCells) Add(k, FaultTooManyEnemies, w, -1, -1, enemies);
}

}  // namespace

int CheckStages(const StageMap* worldA, const StageMap* worldB, StageFault* out, int most) {
  Checker k{{worldA, worldB}, out, most, 0, {}, {}};
  FindSwitches(&k);
  bool goal = false;
  for (int w = 0; w < 2; w++) {
    const StageMap* m = k.maps[w];
    if (!m->cells || m->width < ViewColumns || m->height < ViewRows) {
      Add(&k, FaultTooLarge, w, -1, -1, m->width);
      continue;
    }
    if (m->width > MaxStageColumns || m->height > MaxStageRows) Add(&k, FaultTooLarge, w, -1, -1, m->width);
    if (m->eventCount > MaxEventMarkers) Add(&k, FaultTooManyMarkers, w, -1, -1, m->eventCount);
    CheckStart(&k, w);
    CheckMarkers(&k, w);
    CheckCells(&k, w);
    for (int64_t i = 0; i < static_cast<int64_t>(m->width) * m->height && !goal; i++) goal = m->cells[i] == CellGoal;
  }
  if (!goal) Add(&k, FaultNoGoal, 0, -1, -1, 0);
  return k.count;
}

std::string DescribeStageFault(const StageFault& f, bool japanese) {
  struct Words {
    const char* english;
    const char* japanese;
  };
  static const Words Texts[] = {
      {"", ""},
      {"nothing to stand on under the start (or spikes)", "スタート地点の下に足場がない（またはトゲ）"},
      {"the start is inside a wall", "スタート地点が壁の中"},
      {"neither world has a goal", "どちらの世界にもゴールがない"},
      {"switch of event %d: the event has no marker", "イベント%dのスイッチ：マーカーがない"},
      {"a second switch of event %d", "イベント%dの二つ目のスイッチ"},
      {"marker of event %d: no switch starts it", "イベント%dのマーカー：スイッチがない"},
      {"marker of event %d belongs to the other world", "イベント%dのマーカーはもう一つの世界のもの"},
      {"a second marker of event %d (never shown)", "イベント%dの二つ目のマーカー（使われない）"},
      {"marker of event %d: its scene does not fit in the map", "イベント%dのマーカー：場面がマップに収まらない"},
      {"gate (%d) outside every scene's gate columns: it never opens", "門(%d)がどの場面の範囲にもない：開かない"},
      {"%d gates in one scene: it raises 20 at most", "一つの場面に門が%d個：最大20個"},
      {"hidden cell (%d): no scene of this world reveals its group", "隠しブロック(%d)：この世界にその組の場面がない"},
      {"hidden cells (%d): their scene shows none of them", "隠しブロック(%d)：場面に一つも映らない"},
      {"%d enemies: a world holds 100 at most", "敵が%d体：一つの世界に最大100体"},
      {"scene of event %d has nothing to raise or reveal", "イベント%dの場面に門も隠しブロックもない"},
      {"the stage is larger than the game takes", "ステージが大きすぎる"},
      {"%d event markers: a stage holds 50 at most", "イベントマーカーが%d個：一つのステージに最大50個"},
  };
  const Words& w = Texts[f.code < sizeof Texts / sizeof Texts[0] ? f.code : 0];
  char what[160];
  std::snprintf(what, sizeof what, japanese ? w.japanese : w.english, f.value);
  char where[80] = "";
  if (f.row >= 0)
    std::snprintf(where, sizeof where, japanese ? "世界%c %d列 %d行: " : "world %c, column %d, row %d: ",
                  f.world ? 'B' : 'A', f.column, f.row);
  else
    std::snprintf(where, sizeof where, japanese ? "世界%c: " : "world %c: ", f.world ? 'B' : 'A');
  return std::string(where) + what;
}
