// SPDX-License-Identifier: MIT
// The pointer in the editor, from the window's mouse messages as Windows
// sends them (posted from each sample, so a recorded session replays):
// the left button paints the cells a drag crosses and the right erases;
// with Shift the left selects a rectangle, with Ctrl either fills or
// empties one as it is let go; the middle button drags the view; the wheel
// moves it along the stage (with Shift, up and down), and over the palette
// steps the event or group. A click on the palette chooses.
#include <algorithm>

#include "editor/editor_session.h"

namespace {

// Cells the wheel moves the view by each notch.
constexpr int32_t WheelCells = 3;

// The cursor to the cell under the pointer, when there is one.
bool CursorToPointer(EditorSession* s) {
  int32_t row, column;
  if (!CellAtPlace(*s, s->pointerX, s->pointerY, &row, &column)) return false;
  s->row = row;
  s->column = column;
  s->cursorByPointer = 1;
  return true;
}

void Press(EditorSession* s, bool left, WPARAM flags) {
  // A click over a list or a question only closes the list.
  if (s->question != QuestionNone) return;
  if (s->panel != PanelNone) {
    s->panel = PanelNone;
    return;
  }
  if (OverPalette(s->pointerX, s->pointerY)) {
    const int entry = PaletteEntryAt(*s, s->pointerX, s->pointerY);
    if (left && entry >= 0) s->palette.entry = static_cast<uint8_t>(entry);
    return;
  }
  if (!CursorToPointer(s)) return;
  EndStroke(s);
  s->dragRow = s->row;
  s->dragColumn = s->column;
  if (left && (flags & MK_SHIFT)) {
    s->drag = DragSelect;
  } else if (flags & MK_CONTROL) {
    s->drag = left ? DragFill : DragEraseRect;
  } else {
    s->drag = left ? DragPaint : DragErase;
    s->selecting = 0;
    StrokeTo(s, s->row, s->column, !left);
    return;
  }
  s->selecting = 1;
  s->anchorRow = s->row;
  s->anchorColumn = s->column;
}

void Release(EditorSession* s, bool left) {
  const uint8_t drag = s->drag;
  // The other button's drag goes on.
  const bool mine = left ? drag == DragPaint || drag == DragSelect || drag == DragFill
                         : drag == DragErase || drag == DragEraseRect;
  if (!mine) return;
  s->drag = DragNone;
  if (drag == DragPaint || drag == DragErase) {
    EndStroke(s);
  } else if (drag == DragFill || drag == DragEraseRect) {
    FillRect(s, SelectionOrCursor(*s), drag == DragEraseRect);
    s->selecting = 0;
  }
}

void Pan(EditorSession* s) {
  s->scrollColumn[s->world] = s->panColumn - (s->pointerX - s->panX) / CellSize;
  s->scrollRow[s->world] = s->panRow + (s->pointerY - s->panY) / CellSize;
  ClampView(s);
}

void Wheel(EditorSession* s, int notches, WPARAM flags) {
  if (s->question != QuestionNone || notches == 0) return;
  if (OverPalette(s->pointerX, s->pointerY)) {
    if (ChoiceNumber(s->palette) != 0) StepChoiceNumber(&s->palette, notches);
    else StepPaletteEntry(&s->palette, -notches, s->otherPicked != 0);
    return;
  }
  // Away from the player goes back along the stage (or up it).
  if (flags & MK_SHIFT) s->scrollRow[s->world] += notches * WheelCells;
  else s->scrollColumn[s->world] -= notches * WheelCells;
  ClampView(s);
  CursorToPointer(s);
  if (s->drag == DragPaint || s->drag == DragErase) StrokeTo(s, s->row, s->column, s->drag == DragErase);
}

}  // namespace

void PointerMessage(EditorSession* s, UINT message, WPARAM wParam, LPARAM lParam) {
  s->pointerInside = 1;
  s->pointerX = GET_X_LPARAM(lParam);
  s->pointerY = GET_Y_LPARAM(lParam);
  const WPARAM flags = GET_KEYSTATE_WPARAM(wParam);
  switch (message) {
    case WM_MOUSEMOVE:
      if (s->question != QuestionNone) return;
      if (s->drag == DragPan) return Pan(s);
      if (!CursorToPointer(s)) return;
      if (s->drag == DragPaint || s->drag == DragErase) StrokeTo(s, s->row, s->column, s->drag == DragErase);
      return;
    case WM_LBUTTONDOWN: return Press(s, true, flags);
    case WM_RBUTTONDOWN: return Press(s, false, flags);
    case WM_LBUTTONUP: return Release(s, true);
    case WM_RBUTTONUP: return Release(s, false);
    case WM_MBUTTONDOWN:
      if (s->question != QuestionNone) return;
      EndStroke(s);
      s->drag = DragPan;
      s->panX = s->pointerX;
      s->panY = s->pointerY;
      s->panColumn = s->scrollColumn[s->world];
      s->panRow = s->scrollRow[s->world];
      s->cursorByPointer = 1;
      return;
    case WM_MBUTTONUP:
      if (s->drag == DragPan) s->drag = DragNone;
      return;
    case WM_MOUSEWHEEL: return Wheel(s, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA, flags);
    default: return;
  }
}
