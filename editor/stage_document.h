// SPDX-License-Identifier: MIT
// The stage pair being edited: both worlds' grids as their stage files hold
// them (event markers in place), every change made to them, and the undo
// history. A step of the history holds the cells it changed and no more, so
// a long session of small strokes stays small; it lives as long as the
// editor does, play-tests included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "stage/stage_checks.h"
#include "stage/stage_map.h"

// The narrowest stage the view can show, and the widest the game takes.
constexpr int32_t MinEditColumns = ViewColumns;
constexpr int32_t MaxEditColumns = MaxStageColumns;

struct EditorWorld {
  int32_t width;
  int32_t height;
  std::vector<int32_t> cells;  // width x height, row-major from the top row
};

// A cell of a step: where, what it held, what it holds after.
struct CellChange {
  int32_t index;
  int32_t before;
  int32_t after;
};

constexpr uint8_t StepCells = 0;          // cells changed in place
constexpr uint8_t StepInsertColumns = 1;  // columns put in: their cells are the changes' `after`
constexpr uint8_t StepDeleteColumns = 2;  // columns taken out: their cells are the changes' `before`

struct EditStep {
  uint32_t firstChange;  // into EditHistory::changes
  uint32_t changeCount;
  int32_t column;   // the columns' first, for a column step
  int32_t columns;  // how many
  uint8_t kind;
  uint8_t world;
};

struct EditHistory {
  std::vector<EditStep> steps;
  std::vector<CellChange> changes;
  uint32_t done;  // steps in force; those after them can be redone
  uint8_t open;   // the last step in force still takes cells (a stroke held)
};

struct StageDocument {
  EditorWorld worlds[2];
  EditHistory history;
  // Counts every change to the cells, undo and redo included: what the
  // checks, the drawing and the autosave follow.
  uint32_t revision;
  // The step count the files were saved at; NotSaved when no way through
  // the history leads back there.
  uint32_t savedDone;
};
constexpr uint32_t NotSaved = 0xFFFFFFFFu;

// A document of the two grids, its history empty and counted as saved.
void SetDocumentWorlds(StageDocument* doc, const EditorWorld& a, const EditorWorld& b);
// A grid as its stage file holds it, from a loaded map.
EditorWorld WorldFromMap(const StageMap* map);
// True when the cells differ from the files last saved.
bool DocumentChanged(const StageDocument& doc);
void MarkDocumentSaved(StageDocument* doc);

inline bool CellInWorld(const EditorWorld& w, int32_t row, int32_t column) {
  return row >= 0 && column >= 0 && row < w.height && column < w.width;
}
inline int32_t WorldCell(const EditorWorld& w, int32_t row, int32_t column) {
  return CellInWorld(w, row, column) ? w.cells[static_cast<size_t>(row) * w.width + column] : 0;
}

// A step of cell changes to one world: opened, given cells, closed. A step
// that changed nothing leaves no trace. Opening a step forgets what could
// be redone.
void BeginCellStep(StageDocument* doc, uint8_t world);
// Within the open step: true when the cell took the value (it is in the
// world and held another).
bool ChangeCell(StageDocument* doc, int32_t row, int32_t column, int32_t value);
void EndCellStep(StageDocument* doc);
bool CellStepOpen(const StageDocument& doc);

// Columns put in before `column` (0 to width), each taking the values of
// `fill` (height values, top row first; null for empty), or taken out from
// `column` on. False when the stage would pass its width limits, or the
// columns are not all in it.
bool InsertColumns(StageDocument* doc, uint8_t world, int32_t column, int32_t count, const int32_t* fill);
bool DeleteColumns(StageDocument* doc, uint8_t world, int32_t column, int32_t count);

// False when there is nothing to undo or redo. The world the step changed
// and its first cell or column come back through the pointers, so the
// cursor can show it.
bool UndoStep(StageDocument* doc, uint8_t* world, int32_t* row, int32_t* column);
bool RedoStep(StageDocument* doc, uint8_t* world, int32_t* row, int32_t* column);

// What the history holds in memory, in bytes.
size_t HistoryBytes(const EditHistory& history);

// A world's grid as the loader leaves a map: the markers taken out into
// their lists, the hidden cells listed; for the checks and the drawing. The
// map's arrays are the record's own, kept from one build to the next.
struct DerivedMap {
  std::vector<int32_t> cells, eventCells, eventValues, hiddenCells;
  StageMap map;
};
void DeriveStageMap(const EditorWorld& world, DerivedMap* out);
