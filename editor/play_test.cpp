// SPDX-License-Identifier: MIT
// The play-test: the stages as they stand made into the two worlds' maps
// (directly, not through their text: on the largest pair that would take
// longer than a frame), the whole state of a new game set, and play handed
// to the main loop; from the cursor's column, both characters put down on
// the nearest ground there. The game's end (the goal's Enter, No after a
// death, the pause menu's quit, or the editor's key) brings the editor
// back as it was left, and a run from the start that reached the goal is
// kept as the stages' clearing run.
#include <algorithm>
#include <cstdio>

#include "app/game.h"
#include "app/new_game.h"
#include "editor/editor_session.h"
#include "editor/editor_texts.h"
#include "editor/stage_editor.h"
#include "platform/shell/play_test_run.h"
#include "player/player_record.h"
#include "sound/music.h"
#include "sound/sound_effects.h"
#include "stage/collision.h"
#include "stage/map_drawing.h"
#include "stage/stage_map.h"

namespace {

struct PlayTestWorlds {
  PlayerRecord* players[2];
  EnemyTable* enemies[2];
};
PlayTestWorlds Worlds{};
// The editor's key still held from the press that started the play-test.
uint8_t BackKeyHeld = 0;

// Where the characters stand at a new game: x 320, feet at 287.
constexpr int32_t StartX = 320, StartY = 263;

bool Free(const StageMap* m, int32_t row, int32_t column) { return !IsSolidCell(CellAt(m, row, column)); }

// A row the character can stand in: it and the row above free, ground
// under it that is not spikes.
bool StandsAt(const StageMap* m, int32_t row, int32_t column) {
  const int32_t under = CellAt(m, row + 1, column);
  return row + 1 < m->height && IsSolidCell(under) && under != CellHazard && Free(m, row, column) &&
         Free(m, row - 1, column);
}

// The standing row nearest to `row` in the column (below first when two
// are as near); -1 for none.
int32_t NearestGround(const StageMap* m, int32_t column, int32_t row) {
  for (int32_t d = 0; d < m->height; d++) {
    if (StandsAt(m, row + d, column)) return row + d;
    if (d > 0 && StandsAt(m, row - d, column)) return row - d;
  }
  return -1;
}

// The character standing in the row, its view following it as a walk
// there would have moved it.
void PutDown(PlayerRecord* p, StageMap* m, int32_t column, int32_t row) {
  Body& b = p->body;
  b.x = column * CellSize + CellSize / 2;
  b.y = (row + 1 - (m->height - BandRows)) * CellSize - (b.boxBottom + 1);
  m->scrollXTotal = b.x - StartX;
  m->scrollYTotal = StartY - b.y;
  ScrollWithCharacter(m, 0, 0);
}

void Refuse(EditorSession* s, EditorTextId id, const char* text, int value = 0) {
  char line[240];
  if (text) std::snprintf(line, sizeof line, EditorText(id), text);
  else std::snprintf(line, sizeof line, EditorText(id), value);
  ShowMessage(s, line);
  PlaySoundEffect(SeNo);
}

}  // namespace

void SetPlayTestWorlds(PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA, EnemyTable* enemiesB) {
  Worlds = PlayTestWorlds{{playerA, playerB}, {enemiesA, enemiesB}};
}

bool StartPlayTest(EditorSession* s, bool fromCursor) {
  EndStroke(s);
  s->drag = DragNone;
  if (!Worlds.players[0]) return false;  // no game to play it in (a tool's run)
  StageMap maps[2] = {};
  const char* const names[2] = {"world A", "world B"};
  for (int w = 0; w < 2; w++) {
    const EditorWorld& world = s->doc.worlds[w];
    if (!MakeStageMap(&maps[w], world.width, world.height, world.cells.data(), names[w])) {
      FreeStageMaps(&maps[0], &maps[1]);
      Refuse(s, EditorTextCannotPlay, LastStageFault());
      return false;
    }
  }
  // From the cursor's column: the shown world's character must find
  // ground there; the other's stands at the same place in its own world
  // (its rows counted from the bottom, its column kept inside it), or at
  // its start when it finds none.
  const int shown = s->world, other = shown ^ 1;
  int32_t ground[2] = {-1, -1}, column[2] = {s->column, s->column};
  if (fromCursor) {
    ground[shown] = NearestGround(&maps[shown], s->column, s->row);
    if (ground[shown] < 0) {
      FreeStageMaps(&maps[0], &maps[1]);
      Refuse(s, EditorTextNoGround, nullptr, s->column);
      return false;
    }
    column[other] = std::min(s->column, maps[other].width - 1);
    const int32_t fromBottom = maps[shown].height - 1 - s->row;
    ground[other] = NearestGround(&maps[other], column[other], maps[other].height - 1 - fromBottom);
  }
  FreeStageMaps(&WorldMapA, &WorldMapB);
  WorldMapA = maps[0];
  WorldMapB = maps[1];
  ResetNewGameState(Worlds.players[0], Worlds.players[1], Worlds.enemies[0], Worlds.enemies[1]);
  StageMap* worldMaps[2] = {&WorldMapA, &WorldMapB};
  for (int w = 0; w < 2; w++)
    if (ground[w] >= 0) PutDown(Worlds.players[w], worldMaps[w], column[w], ground[w]);
  GameMode = fromCursor && shown == 1 ? ModeWorldB : ModeWorldA;
  PlayTesting = 1;
  PlayTestEnd = GameEndNone;
  BackKeyHeld = 1;
  s->playing = 1;
  s->playFromCursor = fromCursor ? 1 : 0;
  s->playRevision = s->doc.revision;
  StartMusic();
  StartPlayTestRun();
  return true;
}

void WatchPlayTest() {
  if (!PlayTesting) return;
  if (!KeyDown(VK_F5)) BackKeyHeld = 0;
  else if (!BackKeyHeld) EndGame(GameEndEditorKey);
}

void EndPlayTest(EditorSession* s) {
  s->playing = 0;
  const std::string lines = EndPlayTestRun();
  StopMusic();
  FreeStageMaps(&WorldMapA, &WorldMapB);
  EditorTextId said = EditorTextPlayTestOver;
  if (PlayTestEnd == GameEndGoal) {
    said = s->playFromCursor ? EditorTextClearedFromColumn : EditorTextCleared;
    if (!s->playFromCursor) {
      s->clearingLines = lines;
      s->clearingRevision = s->playRevision;
      s->haveClearingRun = 1;
    }
  }
  ShowMessage(s, EditorText(said));
  SetInputScreen(InputEditor);
  SpendHeldKeys(s);
  s->cursorByPointer = 0;
  // The editor's picture at once, with no wait for the 30 ms gate.
  s->clock = timeGetTime() - FrameInterval;
}

std::string EditorClearingRun() {
  const EditorSession& s = Editor;
  if (!s.haveClearingRun || s.clearingRevision != s.doc.revision || DocumentChanged(s.doc) || s.folder.empty())
    return "";
  return PlayTestRunText(s.clearingLines, s.folder, s.packId);
}
