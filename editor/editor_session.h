// SPDX-License-Identifier: MIT
// One opening of the stage editor: the document, the view of it, the tools'
// states, and what the screen shows; the step that reads the sampled keys,
// and the drawing. Only the editor's own files include this.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/editor_palette.h"
#include "editor/stage_document.h"
#include "platform/shell/edit_folder.h"
#include "platform/shell/pack_choice.h"
#include "platform/win32/win32.h"
#include "stage/stage_checks.h"

constexpr uint8_t PanelNone = 0, PanelKeys = 1, PanelFaults = 2;
// QuestionName: the name of the new pack the game's stages are copied into,
// or the pack's new name.
constexpr uint8_t QuestionNone = 0, QuestionLeave = 1, QuestionRestore = 2, QuestionName = 3;
constexpr uint8_t StrokeNone = 0, StrokePaint = 1, StrokeErase = 2;
// What a drag of the pointer does: paints or erases the cells it crosses
// (left, right), selects (Shift), fills or erases a rectangle on release
// (Ctrl with left, right), moves the view (middle).
constexpr uint8_t DragNone = 0, DragPaint = 1, DragErase = 2, DragSelect = 3, DragFill = 4, DragEraseRect = 5,
                  DragPan = 6;
// The longest name the name box takes: a pack's name (platform/files/packs.h).
constexpr int LongestPackName = 64;
// Flips a message stays up, and flips of quiet after a change before the
// autosave is written (about three seconds of 30 ms frames).
constexpr uint16_t MessageFlips = 90;
constexpr uint32_t AutosaveQuietFlips = 100;
// The most faults the list keeps.
constexpr int MostFaults = 256;

struct EditorSession {
  StageDocument doc;
  std::string folder;  // the pack folder; "" until the copy of the game's stages is named
  std::string packId;  // its name
  StageEditChoice choice;  // what was opened
  uint8_t fromTitle;   // opened from the title: left, the title comes back
  Pack packBefore;     // the pack in force as the editor opened
  uint8_t hadPackBefore;
  uint8_t world;       // shown: 0 A, 1 B
  int32_t row, column;              // the cursor, in the shown world
  int32_t scrollColumn[2], scrollRow[2];  // each world's view: its first column, and rows up from the bottom band
  PaletteChoice palette;
  uint8_t otherPicked;  // the palette's last entry holds a picked value
  uint8_t selecting;
  int32_t anchorRow, anchorColumn;
  int32_t clipWidth, clipHeight;
  std::vector<int32_t> clip;
  uint8_t stroke;
  int32_t strokeRow, strokeColumn;  // the cell the stroke last reached
  uint8_t panel;
  uint8_t question;
  uint8_t leaving;
  uint16_t messageFlips;
  char message[200];
  uint8_t held[256];  // flips each key has been down, up to a bound
  DerivedMap derived[2];
  uint32_t derivedRevision;
  uint32_t checkedRevision;
  StageFault faults[MostFaults];
  int faultCount;
  int faultChosen;  // -1 before the first jump
  uint32_t autosavedRevision;
  uint32_t seenRevision;
  uint32_t quietFlips;
  EditorWorld offered[2];  // the autosave offered back
  DWORD clock;
  // The name box: its text, and whether it names a new pack or renames.
  char name[LongestPackName + 1];
  uint8_t renaming;
  // The pointer: where it is on the picture, the drag under way, where it
  // began (a cell, or for a pan the pointer's place and the view's), and
  // whether the cursor follows the pointer (the view then stays put).
  uint8_t pointerInside;
  int32_t pointerX, pointerY;
  uint8_t drag;
  int32_t dragRow, dragColumn;
  int32_t panX, panY, panColumn, panRow;
  uint8_t cursorByPointer;
  // The play-test: running, from the cursor's column, and the document's
  // revision it played; the last run from the start that reached the goal,
  // as an input file's lines from the play-test's first flip, and the
  // revision it was played on.
  uint8_t playing;
  uint8_t playFromCursor;
  uint32_t playRevision;
  std::string clearingLines;
  uint32_t clearingRevision;
  uint8_t haveClearingRun;
};

extern EditorSession Editor;

// The selection's rectangle, or the cursor's cell when there is none.
struct CellRect {
  int32_t top, left, rows, columns;
};
CellRect SelectionOrCursor(const EditorSession& s);

// The keys of the last sample, acted on.
void StepEditor(EditorSession* s);
// The maps the checks and the drawing read, and the checks, made again when
// the document has changed since.
void RefreshDerived(EditorSession* s);
// The view moved so that the cursor is in it, clear of the boxes (while
// the cursor follows the pointer, the view stays and the cursor is only
// kept on the map).
void FollowCursor(EditorSession* s);
// The view kept within the stage, a few rows past its top and bottom.
void ClampView(EditorSession* s);
void ShowMessage(EditorSession* s, const char* text);
// Keys down now count only once pressed again (as the editor opens, and
// back from a play-test).
void SpendHeldKeys(EditorSession* s);
// The whole screen into the back buffer.
void DrawEditor(const EditorSession& s);

// The files. False (with the message up) when the stages could not be written.
bool SaveStages(EditorSession* s);
void WriteAutosave(EditorSession* s);
void TakeOfferedAutosave(EditorSession* s, bool take);
// Left by the player: the autosave written when changes are not in it, and
// the game ended (the editor stands where the title would).
void LeaveStageEditor(EditorSession* s);
// F5 or Start: plays the stages as they stand from the title's new game;
// Shift+F5 (the pad's Back+B) from the cursor's column, both characters
// put down on the nearest ground there. False, said on the screen, when
// they cannot be played.
bool StartPlayTest(EditorSession* s, bool fromCursor);
// Back from the play-test, at the next editor frame: the editor as it was
// left, the run kept when it reached the goal.
void EndPlayTest(EditorSession* s);

// F6 (the pad's Back+right trigger): the saved pack as a link with its
// clearing run (none when no run from the start reached the goal since the
// last change), through --share-pack's own maker; refused, said on the
// screen, while the checks find faults or changes are not saved. Shift+F6
// (the page's touch Share) saves first.
void ShareStages(EditorSession* s, bool saveFirst);

// The pointer's messages (WM_MOUSEMOVE and the rest), acted on.
void PointerMessage(EditorSession* s, UINT message, WPARAM wParam, LPARAM lParam);
// The cell under a place on the picture, in the shown world; false over
// the palette, the status line or off the map.
bool CellAtPlace(const EditorSession& s, int32_t x, int32_t y, int32_t* row, int32_t* column);
// Where the palette's entries are, for the pointer: the entry at a place, or -1.
int PaletteEntryAt(const EditorSession& s, int32_t x, int32_t y);
bool OverPalette(int32_t x, int32_t y);
bool OverStatus(int32_t x, int32_t y);
// A paint or erase stroke to the cell, from where it last was.
void StrokeTo(EditorSession* s, int32_t row, int32_t column, bool erase);
void EndStroke(EditorSession* s);
// The rectangle filled with the choice (or emptied), one step.
void FillRect(EditorSession* s, const CellRect& rect, bool erase);

// The name box: opened on a name, its keys, and the name taken.
void AskName(EditorSession* s, const char* name, bool renaming);
void TakeName(EditorSession* s);
void GiveUpName(EditorSession* s);
