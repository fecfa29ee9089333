// SPDX-License-Identifier: MIT
// The document's changes and their history.
#include "editor/stage_document.h"

#include <algorithm>

#include "stage/stage_text.h"

namespace {

size_t CellIndex(const EditorWorld& w, int32_t row, int32_t column) {
  return static_cast<size_t>(row) * w.width + column;
}

// A new step forgets the steps that were undone, and with them, perhaps,
// the state the files were saved in.
void ForgetRedo(StageDocument* doc) {
  EditHistory& h = doc->history;
  if (h.done >= h.steps.size()) return;
  h.changes.resize(h.steps[h.done].firstChange);
  h.steps.resize(h.done);
  if (doc->savedDone != NotSaved && doc->savedDone > h.done) doc->savedDone = NotSaved;
}

// Puts `count` columns of `values` (row-major within the block, null for
// empty) into the grid before `column`.
void PutColumns(EditorWorld* w, int32_t column, int32_t count, const CellChange* values, bool useAfter) {
  const int32_t width = w->width + count;
  std::vector<int32_t> cells(static_cast<size_t>(width) * w->height);
  for (int32_t r = 0; r < w->height; r++) {
    const int32_t* from = w->cells.data() + static_cast<size_t>(r) * w->width;
    int32_t* to = cells.data() + static_cast<size_t>(r) * width;
    std::copy(from, from + column, to);
    for (int32_t k = 0; k < count; k++) {
      const CellChange* v = values ? &values[static_cast<size_t>(r) * count + k] : nullptr;
      to[column + k] = v ? (useAfter ? v->after : v->before) : 0;
    }
    std::copy(from + column, from + w->width, to + column + count);
  }
  w->width = width;
  w->cells.swap(cells);
}

// Takes `count` columns out from `column` on, their cells kept in `out`
// (row-major within the block) when it is given.
void TakeColumns(EditorWorld* w, int32_t column, int32_t count, std::vector<CellChange>* out) {
  const int32_t width = w->width - count;
  std::vector<int32_t> cells(static_cast<size_t>(width) * w->height);
  for (int32_t r = 0; r < w->height; r++) {
    const int32_t* from = w->cells.data() + static_cast<size_t>(r) * w->width;
    int32_t* to = cells.data() + static_cast<size_t>(r) * width;
    std::copy(from, from + column, to);
    if (out)
      for (int32_t k = 0; k < count; k++)
        out->push_back({r * count + k, from[column + k], 0});
    std::copy(from + column + count, from + w->width, to + column);
  }
  w->width = width;
  w->cells.swap(cells);
}

void NewStep(StageDocument* doc, uint8_t kind, uint8_t world, int32_t column, int32_t columns) {
  EditHistory& h = doc->history;
  ForgetRedo(doc);
  h.steps.push_back({static_cast<uint32_t>(h.changes.size()), 0, column, columns, kind, world});
  h.done = static_cast<uint32_t>(h.steps.size());
}

// The cell or column a step is seen at.
void StepPlace(const StageDocument& doc, const EditStep& s, uint8_t* world, int32_t* row, int32_t* column) {
  *world = s.world;
  const EditorWorld& w = doc.worlds[s.world];
  if (s.kind == StepCells && s.changeCount > 0) {
    const int32_t at = doc.history.changes[s.firstChange].index;
    *row = at / w.width;
    *column = at % w.width;
  } else {
    *row = -1;
    *column = std::min(s.column, w.width - 1);
  }
}

}  // namespace

void SetDocumentWorlds(StageDocument* doc, const EditorWorld& a, const EditorWorld& b) {
  doc->worlds[0] = a;
  doc->worlds[1] = b;
  doc->history = EditHistory{};
  doc->revision++;
  doc->savedDone = 0;
}

EditorWorld WorldFromMap(const StageMap* map) {
  return EditorWorld{map->width, map->height, StageFileCells(map)};
}

bool DocumentChanged(const StageDocument& doc) { return doc.savedDone != doc.history.done; }

void MarkDocumentSaved(StageDocument* doc) {
  EndCellStep(doc);
  doc->savedDone = doc->history.done;
}

void BeginCellStep(StageDocument* doc, uint8_t world) {
  EndCellStep(doc);
  NewStep(doc, StepCells, world, 0, 0);
  doc->history.open = 1;
}

bool ChangeCell(StageDocument* doc, int32_t row, int32_t column, int32_t value) {
  EditHistory& h = doc->history;
  if (!h.open) return false;
  EditStep& s = h.steps.back();
  EditorWorld& w = doc->worlds[s.world];
  if (!CellInWorld(w, row, column)) return false;
  int32_t& cell = w.cells[CellIndex(w, row, column)];
  if (cell == value) return false;
  h.changes.push_back({static_cast<int32_t>(CellIndex(w, row, column)), cell, value});
  s.changeCount++;
  cell = value;
  doc->revision++;
  return true;
}

void EndCellStep(StageDocument* doc) {
  EditHistory& h = doc->history;
  if (!h.open) return;
  h.open = 0;
  if (h.steps.back().changeCount == 0) {
    h.steps.pop_back();
    h.done = static_cast<uint32_t>(h.steps.size());
  }
}

bool CellStepOpen(const StageDocument& doc) { return doc.history.open != 0; }

bool InsertColumns(StageDocument* doc, uint8_t world, int32_t column, int32_t count, const int32_t* fill) {
  EditorWorld& w = doc->worlds[world];
  if (count < 1 || column < 0 || column > w.width || w.width + count > MaxEditColumns) return false;
  EndCellStep(doc);
  NewStep(doc, StepInsertColumns, world, column, count);
  EditHistory& h = doc->history;
  // The new cells are kept only when there is something in them.
  bool any = false;
  for (int32_t i = 0; fill && i < w.height && !any; i++) any = fill[i] != 0;
  if (any) {
    for (int32_t r = 0; r < w.height; r++)
      for (int32_t k = 0; k < count; k++) h.changes.push_back({r * count + k, 0, fill[r]});
    h.steps.back().changeCount = static_cast<uint32_t>(w.height) * count;
  }
  PutColumns(&w, column, count, any ? &h.changes[h.steps.back().firstChange] : nullptr, true);
  doc->revision++;
  return true;
}

bool DeleteColumns(StageDocument* doc, uint8_t world, int32_t column, int32_t count) {
  EditorWorld& w = doc->worlds[world];
  if (count < 1 || column < 0 || column + count > w.width || w.width - count < MinEditColumns) return false;
  EndCellStep(doc);
  NewStep(doc, StepDeleteColumns, world, column, count);
  EditHistory& h = doc->history;
  TakeColumns(&w, column, count, &h.changes);
  h.steps.back().changeCount = static_cast<uint32_t>(w.height) * count;
  doc->revision++;
  return true;
}

bool UndoStep(StageDocument* doc, uint8_t* world, int32_t* row, int32_t* column) {
  EndCellStep(doc);
  EditHistory& h = doc->history;
  if (h.done == 0) return false;
  const EditStep& s = h.steps[--h.done];
  EditorWorld& w = doc->worlds[s.world];
  const CellChange* c = h.changes.data() + s.firstChange;
  switch (s.kind) {
    case StepCells:
      for (uint32_t i = s.changeCount; i-- > 0;) w.cells[c[i].index] = c[i].before;
      break;
    case StepInsertColumns: TakeColumns(&w, s.column, s.columns, nullptr); break;
    case StepDeleteColumns: PutColumns(&w, s.column, s.columns, c, false); break;
    default: break;
  }
  doc->revision++;
  StepPlace(*doc, s, world, row, column);
  return true;
}

bool RedoStep(StageDocument* doc, uint8_t* world, int32_t* row, int32_t* column) {
  EndCellStep(doc);
  EditHistory& h = doc->history;
  if (h.done >= h.steps.size()) return false;
  const EditStep& s = h.steps[h.done++];
  EditorWorld& w = doc->worlds[s.world];
  const CellChange* c = h.changes.data() + s.firstChange;
  switch (s.kind) {
    case StepCells:
      for (uint32_t i = 0; i < s.changeCount; i++) w.cells[c[i].index] = c[i].after;
      break;
    case StepInsertColumns: PutColumns(&w, s.column, s.columns, s.changeCount ? c : nullptr, true); break;
    case StepDeleteColumns: TakeColumns(&w, s.column, s.columns, nullptr); break;
    default: break;
  }
  doc->revision++;
  StepPlace(*doc, s, world, row, column);
  return true;
}

size_t HistoryBytes(const EditHistory& h) {
  return h.steps.capacity() * sizeof(EditStep) + h.changes.capacity() * sizeof(CellChange);
}

void DeriveStageMap(const EditorWorld& w, DerivedMap* out) {
  out->cells = w.cells;
  out->eventCells.clear();
  out->eventValues.clear();
  out->hiddenCells.clear();
  for (size_t i = 0; i < out->cells.size(); i++) {
    int32_t& v = out->cells[i];
    if (v >= CellEventFirst && v <= CellEventLast) {
      out->eventCells.push_back(static_cast<int32_t>(i));
      out->eventValues.push_back(v);
      v = 0;
    } else if (v >= CellHiddenFirst) {
      out->hiddenCells.push_back(static_cast<int32_t>(i));
    }
  }
  StageMap& m = out->map;
  m = StageMap{};
  m.width = w.width;
  m.height = w.height;
  m.cells = out->cells.data();
  m.eventCells = out->eventCells.data();
  m.eventValues = out->eventValues.data();
  m.eventCount = static_cast<int32_t>(out->eventCells.size());
  m.hiddenCells = out->hiddenCells.data();
  m.hiddenCount = static_cast<int32_t>(out->hiddenCells.size());
}
