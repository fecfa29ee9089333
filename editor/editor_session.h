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
#include "platform/win32/win32.h"
#include "stage/stage_checks.h"

constexpr uint8_t PanelNone = 0, PanelKeys = 1, PanelFaults = 2;
constexpr uint8_t QuestionNone = 0, QuestionLeave = 1, QuestionRestore = 2;
constexpr uint8_t StrokeNone = 0, StrokePaint = 1, StrokeErase = 2;
// Flips a message stays up, and flips of quiet after a change before the
// autosave is written (about three seconds of 30 ms frames).
constexpr uint16_t MessageFlips = 90;
constexpr uint32_t AutosaveQuietFlips = 100;
// The most faults the list keeps.
constexpr int MostFaults = 256;

struct EditorSession {
  StageDocument doc;
  std::string folder;  // the pack folder
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
// The view moved so that the cursor is in it, clear of the boxes.
void FollowCursor(EditorSession* s);
void ShowMessage(EditorSession* s, const char* text);
// The whole screen into the back buffer.
void DrawEditor(const EditorSession& s);

// The files. False (with the message up) when the stages could not be written.
bool SaveStages(EditorSession* s);
void WriteAutosave(EditorSession* s);
void TakeOfferedAutosave(EditorSession* s, bool take);
// Left by the player: the autosave written when changes are not in it, and
// the game ended (the editor stands where the title would).
void LeaveStageEditor(EditorSession* s);
// F5 or Start: plays the stages as they stand. False, said on the screen,
// while the editor has no play to start.
bool StartPlayTest(EditorSession* s);
