// SPDX-License-Identifier: MIT
// The editor's step: the keys and pad buttons of the last sample, acted on.
// It reads nothing else, so a recorded session replays to the same stages.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "app/game.h"
#include "app/game_texts.h"
#include "editor/editor_session.h"
#include "editor/editor_texts.h"
#include "sound/sound_effects.h"
#include "stage/cell_kinds.h"

namespace {

// The keys the editor reads, by their virtual keys: the keyboard's as they
// are, the switch key as the game's own (VK_SPACE), the pad's buttons.
constexpr int KeyTab = 0x09, KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24;
constexpr int KeyInsert = 0x2D, KeyDelete = 0x2E;
constexpr int KeyF2 = 0x71, KeyF4 = 0x73, KeyF5 = 0x74, KeyF6 = 0x75, KeyF8 = 0x77;
constexpr int KeyLeftShift = 0xA0, KeyRightShift = 0xA1, KeyLeftCtrl = 0xA2, KeyRightCtrl = 0xA3;
constexpr int KeyMinus = 0xBD, KeyEquals = 0xBB, KeyPeriod = 0xBE, KeyOpenBracket = 0xDB, KeyCloseBracket = 0xDD;
constexpr int PadA = 0xC3, PadB = 0xC4, PadX = 0xC5, PadY = 0xC6, PadRightShoulder = 0xC7, PadLeftShoulder = 0xC8;
constexpr int PadLeftTrigger = 0xC9, PadRightTrigger = 0xCA, PadUp = 0xCB, PadDown = 0xCC, PadLeft = 0xCD,
              PadRight = 0xCE, PadStart = 0xCF, PadBack = 0xD0;

// A held key moves the cursor again after this many flips, then every
// other flip.
constexpr uint8_t RepeatAfter = 8;
constexpr int32_t FastStep = 5;

// A held count of 255 is a key down but spent: held as the editor opened,
// or pressed with Ctrl (or the pad's Back), so that letting Ctrl go first
// does not turn Ctrl+Z into a stroke.
constexpr uint8_t Spent = 255;
bool Down(const EditorSession& s, int vk) { return s.held[vk] != 0 && s.held[vk] != Spent; }
bool Pressed(const EditorSession& s, int vk) { return s.held[vk] == 1; }
// Pressed, or held long enough to repeat.
bool Repeats(const EditorSession& s, int vk) {
  const uint8_t h = s.held[vk];
  return h == 1 || (h > RepeatAfter && h != Spent && (h - RepeatAfter) % 2 == 1);
}

void CountHeld(EditorSession* s) {
  for (int vk = 0; vk < 256; vk++) {
    uint8_t& h = s->held[vk];
    if (!KeyDown(vk)) h = 0;
    else if (h != Spent) h = static_cast<uint8_t>(h < 250 ? h + 1 : 249);  // keeps repeating, never 1 again
  }
}

// Keys used with a modifier are spent until let go.
void Spend(EditorSession* s, std::initializer_list<int> keys) {
  for (int vk : keys)
    if (s->held[vk]) s->held[vk] = Spent;
}

void Refuse(EditorSession* s, EditorTextId id, int value = 0, int value2 = 0) {
  char line[200];
  std::snprintf(line, sizeof line, EditorText(id), value, value2);
  ShowMessage(s, line);
  PlaySoundEffect(SeNo);
}

EditorWorld& Shown(EditorSession* s) { return s->doc.worlds[s->world]; }

// The choice painted at a cell, with its second half under it.
void PaintCell(EditorSession* s, int32_t row, int32_t column, bool erase) {
  int32_t here = 0, below = 0;
  if (!erase) ValuesOfChoice(s->palette, &here, &below);
  ChangeCell(&s->doc, row, column, here);
  if (below) ChangeCell(&s->doc, row + 1, column, below);
}

}  // namespace

void EndStroke(EditorSession* s) {
  if (s->stroke == StrokeNone) return;
  s->stroke = StrokeNone;
  EndCellStep(&s->doc);
}

// A held stroke paints every cell on the way from where it last was.
void StrokeTo(EditorSession* s, int32_t row, int32_t column, bool erase) {
  const uint8_t kind = erase ? StrokeErase : StrokePaint;
  if (s->stroke != kind || !CellStepOpen(s->doc)) {
    EndStroke(s);
    s->stroke = kind;
    BeginCellStep(&s->doc, s->world);
    s->strokeRow = row;
    s->strokeColumn = column;
  }
  int32_t r = s->strokeRow, c = s->strokeColumn;
  const int32_t dr = std::abs(row - r), dc = std::abs(column - c);
  const int32_t sr = row > r ? 1 : -1, sc = column > c ? 1 : -1;
  int32_t error = dc - dr;
  while (true) {
    PaintCell(s, r, c, erase);
    if (r == row && c == column) break;
    const int32_t twice = 2 * error;
    if (twice > -dr) {
      error -= dr;
      c += sc;
    }
    if (twice < dc) {
      error += dc;
      r += sr;
    }
  }
  s->strokeRow = row;
  s->strokeColumn = column;
}

void FillRect(EditorSession* s, const CellRect& rect, bool erase) {
  BeginCellStep(&s->doc, s->world);
  int32_t here = 0, below = 0;
  if (!erase) ValuesOfChoice(s->palette, &here, &below);
  // A two-cell entry fills in its pairs, upper and lower halves by turns.
  for (int32_t r = 0; r < rect.rows; r++)
    for (int32_t c = 0; c < rect.columns; c++)
      ChangeCell(&s->doc, rect.top + r, rect.left + c, below && r % 2 ? below : here);
  EndCellStep(&s->doc);
}

namespace {

void Copy(EditorSession* s, bool cut) {
  const CellRect rect = SelectionOrCursor(*s);
  const EditorWorld& w = Shown(s);
  s->clipWidth = rect.columns;
  s->clipHeight = rect.rows;
  s->clip.assign(static_cast<size_t>(rect.rows) * rect.columns, 0);
  for (int32_t r = 0; r < rect.rows; r++)
    for (int32_t c = 0; c < rect.columns; c++)
      s->clip[static_cast<size_t>(r) * rect.columns + c] = WorldCell(w, rect.top + r, rect.left + c);
  if (cut) FillRect(s, rect, true);
  char line[200];
  std::snprintf(line, sizeof line, EditorText(EditorTextCopied), rect.columns, rect.rows);
  ShowMessage(s, line);
}

void Paste(EditorSession* s) {
  if (s->clip.empty()) return Refuse(s, EditorTextEmptyClipboard);
  BeginCellStep(&s->doc, s->world);
  for (int32_t r = 0; r < s->clipHeight; r++)
    for (int32_t c = 0; c < s->clipWidth; c++)
      ChangeCell(&s->doc, s->row + r, s->column + c, s->clip[static_cast<size_t>(r) * s->clipWidth + c]);
  EndCellStep(&s->doc);
  ShowMessage(s, EditorText(EditorTextPasted));
}

// The columns the tools act on: the selection's, or the cursor's.
void ColumnSpan(const EditorSession& s, int32_t* first, int32_t* count) {
  const CellRect rect = SelectionOrCursor(s);
  *first = rect.left;
  *count = rect.columns;
}

// New columns take the cursor's column's stone and walls (and spikes),
// nothing that belongs to one place: a stretch of ground grows longer.
void InsertAtCursor(EditorSession* s) {
  int32_t first, count;
  ColumnSpan(*s, &first, &count);
  EditorWorld& w = Shown(s);
  if (w.width + count > MaxEditColumns) return Refuse(s, EditorTextWidest, MaxEditColumns);
  std::vector<int32_t> fill(w.height);
  for (int32_t r = 0; r < w.height; r++) {
    const int32_t v = WorldCell(w, r, s->column);
    const uint8_t kind = KindOfCell(v);
    const bool ground = kind == CellKindStone || kind == CellKindMoss || kind == CellKindBars ||
                        kind == CellKindScenery || kind == CellKindSpikes;
    fill[r] = ground ? v : 0;
  }
  EndStroke(s);
  InsertColumns(&s->doc, s->world, first, count, fill.data());
  s->selecting = 0;
  char line[200];
  std::snprintf(line, sizeof line, EditorText(EditorTextColumnsIn), count);
  ShowMessage(s, line);
}

void DeleteAtCursor(EditorSession* s) {
  int32_t first, count;
  ColumnSpan(*s, &first, &count);
  if (Shown(s).width - count < MinEditColumns) return Refuse(s, EditorTextNarrowest, MinEditColumns);
  EndStroke(s);
  DeleteColumns(&s->doc, s->world, first, count);
  s->selecting = 0;
  s->column = first;
  char line[200];
  std::snprintf(line, sizeof line, EditorText(EditorTextColumnsOut), count);
  ShowMessage(s, line);
}

void ShowWorld(EditorSession* s, uint8_t world) {
  if (world == s->world) return;
  // The other world at the same place: the same column, the same row
  // counted from the bottom, as play shows the worlds side by side.
  const int32_t fromBottom = Shown(s).height - 1 - s->row;
  const int32_t scrollColumn = s->scrollColumn[s->world], scrollRow = s->scrollRow[s->world];
  s->world = world;
  s->row = Shown(s).height - 1 - fromBottom;
  s->scrollColumn[world] = scrollColumn;
  s->scrollRow[world] = scrollRow;
  s->selecting = 0;
}

void UndoOrRedo(EditorSession* s, bool redo) {
  EndStroke(s);
  uint8_t world;
  int32_t row, column;
  if (!(redo ? RedoStep(&s->doc, &world, &row, &column) : UndoStep(&s->doc, &world, &row, &column)))
    return Refuse(s, redo ? EditorTextNothingToRedo : EditorTextNothingToUndo);
  // The change is shown where it was made.
  ShowWorld(s, world);
  s->selecting = 0;
  s->column = column;
  if (row >= 0) s->row = row;
}

void NextFault(EditorSession* s, int step) {
  RefreshDerived(s);
  const int shown = std::min(s->faultCount, MostFaults);
  if (shown == 0) {
    ShowMessage(s, EditorText(EditorTextFaultsEmpty));
    return;
  }
  s->faultChosen = s->faultChosen < 0 ? (step > 0 ? 0 : shown - 1) : ((s->faultChosen + step) % shown + shown) % shown;
  const StageFault& f = s->faults[s->faultChosen];
  ShowWorld(s, f.world);
  s->selecting = 0;
  if (f.row >= 0) {
    s->row = f.row;
    s->column = f.column;
  }
  ShowMessage(s, DescribeStageFault(f, TextLanguage() == LanguageJapanese).c_str());
}

void Pick(EditorSession* s) {
  ChooseValue(&s->palette, WorldCell(Shown(s), s->row, s->column));
  if (s->palette.entry == PaletteOther) s->otherPicked = 1;
}

void Move(EditorSession* s, int32_t rows, int32_t columns, bool select) {
  // The keys take the cursor back from the pointer.
  s->cursorByPointer = 0;
  if (select && !s->selecting) {
    s->selecting = 1;
    s->anchorRow = s->row;
    s->anchorColumn = s->column;
  } else if (!select) {
    s->selecting = 0;
  }
  s->row += rows;
  s->column += columns;
}

void Answer(EditorSession* s) {
  // Return too: the page's touch OK.
  const bool yes = Pressed(*s, 'Y') || Pressed(*s, PadA) || Pressed(*s, VK_RETURN);
  const bool no = Pressed(*s, 'N') || Pressed(*s, PadX);
  const bool stay = Pressed(*s, VK_ESCAPE) || Pressed(*s, PadB);
  if (s->question == QuestionRestore) {
    if (yes) TakeOfferedAutosave(s, true);
    else if (Pressed(*s, 'N') || Pressed(*s, PadB)) TakeOfferedAutosave(s, false);
    return;
  }
  if (yes) {
    if (SaveStages(s)) LeaveStageEditor(s);
    else s->question = QuestionNone;
  } else if (no) {
    LeaveStageEditor(s);
  } else if (stay) {
    s->question = QuestionNone;
  }
}

// The name box's keys: letters (capitals with Shift), digits, '-', '_'
// (Shift and '-') and '.'; Backspace takes the last back; Return or the
// pad's A take the name, Escape or B give it up.
void AnswerName(EditorSession* s) {
  const bool shift = Down(*s, KeyLeftShift) || Down(*s, KeyRightShift);
  const size_t length = std::strlen(s->name);
  char typed = 0;
  for (int vk = 'A'; vk <= 'Z'; vk++)
    if (Pressed(*s, vk)) typed = static_cast<char>(shift ? vk : vk - 'A' + 'a');
  for (int vk = '0'; vk <= '9'; vk++)
    if (Pressed(*s, vk)) typed = static_cast<char>(vk);
  if (Pressed(*s, KeyMinus)) typed = shift ? '_' : '-';
  if (Pressed(*s, KeyPeriod)) typed = '.';
  if (typed && length < LongestPackName) {
    s->name[length] = typed;
    s->name[length + 1] = 0;
  }
  if (Repeats(*s, VK_BACK) && length > 0) s->name[length - 1] = 0;
  if (Pressed(*s, VK_RETURN) || Pressed(*s, PadA)) TakeName(s);
  else if (Pressed(*s, VK_ESCAPE) || Pressed(*s, PadB)) GiveUpName(s);
}

void Leave(EditorSession* s) {
  EndStroke(s);
  if (!DocumentChanged(s->doc)) return LeaveStageEditor(s);
  // On every way out the changes go to the autosave first.
  WriteAutosave(s);
  s->question = QuestionLeave;
}

}  // namespace

void StepEditor(EditorSession* s) {
  CountHeld(s);
  if (s->messageFlips > 0) s->messageFlips--;
  // The window lost the focus: whatever is not in the autosave goes there,
  // and the editor stays as it is.
  if (Pressed(*s, VK_FOCUS_LOST)) {
    EndStroke(s);
    s->drag = DragNone;
    if (!s->folder.empty() && s->doc.revision != s->autosavedRevision) WriteAutosave(s);
  }
  // The key that answered (Return, the page's touch OK) paints nothing
  // once the box is gone: held keys count again only once pressed again.
  if (s->question == QuestionName) {
    AnswerName(s);
    if (s->question == QuestionNone) SpendHeldKeys(s);
    return;
  }
  if (s->question != QuestionNone) {
    EndStroke(s);
    Answer(s);
    if (s->question == QuestionNone) SpendHeldKeys(s);
    return;
  }
  const bool ctrl = Down(*s, KeyLeftCtrl) || Down(*s, KeyRightCtrl);
  const bool shift = Down(*s, KeyLeftShift) || Down(*s, KeyRightShift);
  const bool back = Down(*s, PadBack);  // the pad's second layer

  if (Pressed(*s, VK_ESCAPE) || (back && Pressed(*s, PadStart))) {
    s->drag = DragNone;
    if (s->panel != PanelNone) s->panel = PanelNone;
    else if (s->selecting) s->selecting = 0;
    else return Leave(s);
  }
  if (Pressed(*s, VK_F1) || (back && Pressed(*s, PadX))) s->panel = s->panel == PanelKeys ? PanelNone : PanelKeys;
  if (Pressed(*s, KeyF4)) s->panel = s->panel == PanelFaults ? PanelNone : PanelFaults;
  if (Pressed(*s, KeyF8) || (back && Pressed(*s, PadY))) NextFault(s, shift ? -1 : 1);
  if (Pressed(*s, KeyF6) || (back && Pressed(*s, PadRightTrigger))) ShareStages(s, Pressed(*s, KeyF6) && shift);
  if (Pressed(*s, KeyF2)) {
    EndStroke(s);
    AskName(s, s->packId.c_str(), true);
    return;
  }
  // Not with Escape: the play's first frame would take it for a pause.
  const bool playKey = Pressed(*s, KeyF5) || (!back && Pressed(*s, PadStart)) || (back && Pressed(*s, PadB));
  if (playKey && !Down(*s, VK_ESCAPE)) {
    if (StartPlayTest(s, (Pressed(*s, KeyF5) && shift) || (back && Pressed(*s, PadB)))) return;
  }
  if (Pressed(*s, VK_SPACE) || (!back && Pressed(*s, PadY))) {
    EndStroke(s);
    ShowWorld(s, s->world ^ 1);
  }

  if (ctrl) {
    EndStroke(s);
    if (Pressed(*s, 'Z')) UndoOrRedo(s, shift);
    if (Pressed(*s, 'Y')) UndoOrRedo(s, true);
    if (Pressed(*s, 'C')) Copy(s, false);
    if (Pressed(*s, 'X')) Copy(s, true);
    if (Pressed(*s, 'V')) Paste(s);
    if (Pressed(*s, 'S')) SaveStages(s);
    if (Pressed(*s, KeyDelete)) DeleteAtCursor(s);
    if (Pressed(*s, 'A')) {
      s->selecting = 1;
      s->anchorRow = s->anchorColumn = 0;
      s->row = Shown(s).height - 1;
      s->column = Shown(s).width - 1;
    }
    Spend(s, {'Z', 'Y', 'C', 'X', 'V', 'S', 'A', KeyDelete, VK_RETURN, VK_BACK});
  } else if (back) {
    if (Pressed(*s, PadLeftShoulder)) UndoOrRedo(s, false);
    if (Pressed(*s, PadRightShoulder)) UndoOrRedo(s, true);
    if (Pressed(*s, PadA)) SaveStages(s);
    Spend(s, {PadA, PadB, PadX, PadY, PadLeftShoulder, PadRightShoulder, PadStart, PadRightTrigger});
  } else {
    // The palette.
    const bool otherPicked = s->otherPicked != 0;
    if (Pressed(*s, KeyTab)) StepPaletteEntry(&s->palette, shift ? -1 : 1, otherPicked);
    if (Pressed(*s, KeyCloseBracket) || Pressed(*s, PadRightShoulder)) StepPaletteEntry(&s->palette, 1, otherPicked);
    if (Pressed(*s, KeyOpenBracket) || Pressed(*s, PadLeftShoulder)) StepPaletteEntry(&s->palette, -1, otherPicked);
    for (int digit = 0; digit <= 9; digit++)
      if (Pressed(*s, '0' + digit)) s->palette.entry = static_cast<uint8_t>(digit == 0 ? PaletteEmpty : digit);
    if (Repeats(*s, KeyEquals) || Repeats(*s, PadRightTrigger)) StepChoiceNumber(&s->palette, 1);
    if (Repeats(*s, KeyMinus) || Repeats(*s, PadLeftTrigger)) StepChoiceNumber(&s->palette, -1);
    // The tools.
    if (Pressed(*s, KeyInsert)) InsertAtCursor(s);
    if (Pressed(*s, KeyDelete)) {
      EndStroke(s);
      FillRect(s, SelectionOrCursor(*s), true);
    }
    if (Pressed(*s, 'F')) {
      EndStroke(s);
      FillRect(s, SelectionOrCursor(*s), false);
    }
    if (Pressed(*s, 'P') || Pressed(*s, PadX)) Pick(s);
  }

  // The cursor.
  if (!back) {
    const int32_t step = ctrl ? FastStep : 1;
    if (Repeats(*s, VK_LEFT) || Repeats(*s, PadLeft)) Move(s, 0, -step, shift);
    if (Repeats(*s, VK_RIGHT) || Repeats(*s, PadRight)) Move(s, 0, step, shift);
    if (Repeats(*s, VK_UP) || Repeats(*s, PadUp)) Move(s, -step, 0, shift);
    if (Repeats(*s, VK_DOWN) || Repeats(*s, PadDown)) Move(s, step, 0, shift);
    if (Repeats(*s, KeyPageUp)) Move(s, 0, -ViewColumns, shift);
    if (Repeats(*s, KeyPageDown)) Move(s, 0, ViewColumns, shift);
    if (Pressed(*s, KeyHome)) Move(s, 0, -Shown(s).width, shift);
    if (Pressed(*s, KeyEnd)) Move(s, 0, Shown(s).width, shift);
  }
  FollowCursor(s);

  // A held paint or erase key paints the cells the cursor passes (the
  // pointer's strokes are its own).
  if (s->drag == DragPaint || s->drag == DragErase) return;
  const bool paint = !ctrl && !back && (Down(*s, 'Z') || Down(*s, VK_RETURN) || Down(*s, PadA));
  const bool erase = !ctrl && !back && !paint && (Down(*s, 'X') || Down(*s, VK_BACK) || Down(*s, PadB));
  if (paint || erase) StrokeTo(s, s->row, s->column, erase);
  else EndStroke(s);
}
