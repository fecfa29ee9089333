// SPDX-License-Identifier: MIT
// The stage editor's costs on the game's own stages, with the real sheets
// and glyphs, headless: a frame (the whole screen and its marks) as the
// cursor crosses the stage, the same with a cell painted every frame (the
// checks run again each time), the same with the mouse dragging a stroke,
// the save of a 600-column pair, the memory of an undo history of 10,000
// single-cell strokes, and a play-test's start to its first frame of play
// on the largest pair.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <vector>

#include "app/frame_driver.h"
#include "app/game.h"
#include "app/new_game.h"
#include "editor/editor_session.h"
#include "editor/stage_editor.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "platform/backend.h"
#include "platform/picture/font.h"
#include "player/player_record.h"
#include "stage/stage_checks.h"
#include "stage/stage_file.h"
#include "stage/stage_map.h"

namespace {

bool OpenOnGameStages(benchmark::State& state) {
  if (chdir(TW_GAME_DIR) != 0) {
    state.SkipWithError("no game folder");
    return false;
  }
  ActiveBackend = &HeadlessBackend;
  SetGlyphSheet("font/glyphs.hex");
  CreateDisplay(nullptr);
  if (!LoadAllBitmaps()) {
    state.SkipWithError("the bitmaps did not load");
    return false;
  }
  EditorWorld worlds[2];
  const char* names[2] = {"stage\\fai_kansei.txt", "stage\\Magic1234.txt"};
  for (int w = 0; w < 2; w++) {
    StageMap map{}, none{};
    if (!LoadStageFile(&map, names[w])) {
      state.SkipWithError("the stages did not load");
      return false;
    }
    worlds[w] = WorldFromMap(&map);
    FreeStageMaps(&map, &none);
  }
  Editor = EditorSession{};
  SetDocumentWorlds(&Editor.doc, worlds[0], worlds[1]);
  Editor.palette = PaletteChoice{PaletteSpikes, FirstEvent, FirstEvent, FirstGroup, 0};
  Editor.derivedRevision = Editor.checkedRevision = Editor.doc.revision - 1;
  Editor.faultChosen = -1;
  RefreshDerived(&Editor);
  return true;
}

void Percentiles(benchmark::State& state, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  state.counters["median_ms"] = ms[ms.size() / 2];
  state.counters["p95_ms"] = ms[ms.size() * 95 / 100];
  state.counters["worst_ms"] = ms.back();
}

// The cursor crosses world A and then world B, a column a frame, along the
// ground where the marks are thickest.
// With the mouse, the left button is held down and the pointer goes back
// and forth over the view's width, painting the row it crosses as the view
// walks along the stage.
void EditorFrame(benchmark::State& state, bool paint, bool mouse = false) {
  if (!OpenOnGameStages(state)) return;
  std::vector<double> ms;
  int32_t step = 0;
  for (auto _ : state) {
    EditorSession& s = Editor;
    const EditorWorld& w = s.doc.worlds[s.world];
    s.column = step % w.width;
    s.row = w.height - 7;
    if (++step % w.width == 0) s.world ^= 1;
    const auto start = std::chrono::steady_clock::now();
    if (mouse) {
      const LPARAM place = MAKELPARAM(16 + (step % 19) * 32, 300);
      if (s.drag == DragNone) PointerMessage(&s, WM_LBUTTONDOWN, MK_LBUTTON, place);
      PointerMessage(&s, WM_MOUSEMOVE, MK_LBUTTON, place);
      if (step % 19 == 0) PointerMessage(&s, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(-WHEEL_DELTA)) << 16, place);
    } else if (paint) {
      BeginCellStep(&s.doc, s.world);
      ChangeCell(&s.doc, s.row - 1, s.column, step % 2 ? 51 : 0);
      EndCellStep(&s.doc);
    }
    FollowCursor(&s);
    RefreshDerived(&s);
    DrawEditor(s);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  Percentiles(state, ms);
  state.counters["faults"] = Editor.faultCount;
  ReleaseDisplay();
}
void EditorFrameMoving(benchmark::State& state) { EditorFrame(state, false); }
void EditorFramePaintingEveryFrame(benchmark::State& state) { EditorFrame(state, true); }
BENCHMARK(EditorFrameMoving)->Unit(benchmark::kMillisecond)->Iterations(4000);
void EditorFrameMouseDrag(benchmark::State& state) { EditorFrame(state, false, true); }
BENCHMARK(EditorFramePaintingEveryFrame)->Unit(benchmark::kMillisecond)->Iterations(2000);
BENCHMARK(EditorFrameMouseDrag)->Unit(benchmark::kMillisecond)->Iterations(2000);

// Both worlds 600 columns wide (world B twice), written as Ctrl+S writes
// them: the stage text made and each file renamed into place.
void SaveStagePair600(benchmark::State& state) {
  if (!OpenOnGameStages(state)) return;
  SetDocumentWorlds(&Editor.doc, Editor.doc.worlds[1], Editor.doc.worlds[1]);
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tw_bench_save_" + std::to_string(getpid()));
  Editor.folder = folder.string();
  std::vector<double> ms;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!SaveStages(&Editor)) state.SkipWithError("the stages were not saved");
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  Percentiles(state, ms);
  state.counters["columns"] = Editor.doc.worlds[0].width;
  std::filesystem::remove_all(folder);
  ReleaseDisplay();
}
BENCHMARK(SaveStagePair600)->Unit(benchmark::kMillisecond)->Iterations(200);

// The largest pair the game takes, 4000 x 200 each, with every event's
// switch and marker: its maps made again and checked, as after a change.
void ChecksOnTheLargestPair(benchmark::State& state) {
  EditorWorld w{MaxStageColumns, MaxStageRows, std::vector<int32_t>(size_t{MaxStageColumns} * MaxStageRows)};
  for (int32_t c = 0; c < w.width; c++) w.cells[size_t{MaxStageRows - 6} * w.width + c] = 1;
  EditorWorld worlds[2] = {w, w};
  for (int e = 0; e < 48; e++) {
    EditorWorld& m = worlds[e < 24 ? 0 : 1];
    const int32_t c = 40 + e * 80;
    m.cells[size_t{MaxStageRows - 20} * m.width + c] = FirstEvent + e;  // the marker
    m.cells[size_t{MaxStageRows - 8} * m.width + c + 5] = CellGateFirst;  // a gate in its scene
    worlds[e % 2].cells[size_t{MaxStageRows - 7} * m.width + c + 20] = FirstEvent + e - 100;  // its switch
  }
  Editor = EditorSession{};
  SetDocumentWorlds(&Editor.doc, worlds[0], worlds[1]);
  std::vector<double> ms;
  for (auto _ : state) {
    Editor.doc.revision++;
    const auto start = std::chrono::steady_clock::now();
    RefreshDerived(&Editor);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  Percentiles(state, ms);
  state.counters["faults"] = Editor.faultCount;
}
BENCHMARK(ChecksOnTheLargestPair)->Unit(benchmark::kMillisecond)->Iterations(20);

void UndoHistoryOfTenThousandStrokes(benchmark::State& state) {
  size_t bytes = 0;
  for (auto _ : state) {
    StageDocument doc{};
    EditorWorld w{600, 22, std::vector<int32_t>(600 * 22)};
    SetDocumentWorlds(&doc, w, w);
    for (int i = 0; i < 10000; i++) {
      BeginCellStep(&doc, static_cast<uint8_t>(i % 2));
      ChangeCell(&doc, i % 22, i % 600, 5000 + i);  // a new value each time
      EndCellStep(&doc);
    }
    bytes = HistoryBytes(doc.history);
    state.counters["steps"] = static_cast<double>(doc.history.steps.size());
  }
  state.counters["history_KiB"] = bytes / 1024.0;
}
BENCHMARK(UndoHistoryOfTenThousandStrokes)->Unit(benchmark::kMillisecond)->Iterations(5);

// The largest pair, 4000 x 200 each, ground along both: F5 makes the maps
// and sets a new game's state, and the main loop's next turn draws the
// first frame of play (no wait: the frame clock starts at 0). From the key
// to that picture.
void PlayTestToFirstFrame(benchmark::State& state) {
  if (!OpenOnGameStages(state)) return;
  EditorWorld w{MaxStageColumns, MaxStageRows, std::vector<int32_t>(size_t{MaxStageColumns} * MaxStageRows)};
  for (int32_t c = 0; c < w.width; c++) w.cells[size_t{MaxStageRows - 6} * w.width + c] = 1;
  SetDocumentWorlds(&Editor.doc, w, w);
  static PlayerRecord playerA, playerB;
  static EnemyTable enemiesA, enemiesB;
  SetPlayTestWorlds(&playerA, &playerB, &enemiesA, &enemiesB);
  // The headless clock past the first frame's gate, as a game's is by the
  // time a key is pressed.
  while (timeGetTime() < 2 * FrameInterval) {
  }
  std::vector<double> ms;
  for (auto _ : state) {
    Editor.column = 2000;
    Editor.row = MaxStageRows - 8;
    const uint32_t frames = FramesOfPlay;
    const auto start = std::chrono::steady_clock::now();
    if (!StartPlayTest(&Editor, state.iterations() % 2 != 0)) state.SkipWithError("the play-test did not start");
    RunFrame(&playerA, &playerB, &enemiesA, &enemiesB, &WorldMapA, &WorldMapB);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    if (FramesOfPlay != frames + 1) state.SkipWithError("no frame of play was drawn");
    PlayTesting = 0;
    EndPlayTest(&Editor);
  }
  Percentiles(state, ms);
  ReleaseDisplay();
}
BENCHMARK(PlayTestToFirstFrame)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
