// SPDX-License-Identifier: MIT
// Every word the stage editor draws, in both languages (the game's chosen
// one). A text that names the switch key says {switch}: the key the player
// bound to switching worlds (Y while the pad was the last thing touched);
// {editor} the key bound to the editor (F5; Start for the pad), which
// plays a test; {pad:NAME} is a pad button's name.
#pragma once

#include <cstdint>

#include "stage/cell_kinds.h"

enum EditorTextId : uint8_t {
  EditorTextPalette,                               // the palette's entries, in PaletteEntry order
  EditorTextKinds = EditorTextPalette + 13,        // the kinds of cell, in CellKind order
  EditorTextStatus = EditorTextKinds + CellKinds,  // world, column, row, value, kind: "%c %d %d %d %s"
  EditorTextUnsaved,
  EditorTextFaults,     // "%d"
  EditorTextNoFaults,
  EditorTextSelection,  // "%d x %d"
  EditorTextEvent,      // a switch's or a marker's event: "%d" and its world "%c"
  EditorTextGroup,      // a hidden cell's group and its event: "%d %d"
  EditorTextValue,      // a picked value: "%d"
  EditorTextHelpKeys,   // the foot line, keyboard
  EditorTextHelpPad,    // the same, pad
  EditorTextKeysHeading,  // "%s": the pack
  EditorTextKeys,       // the key list, lines broken at line feeds
  EditorTextPadKeys,
  EditorTextFaultsHeading,  // "%d"
  EditorTextFaultsEmpty,
  EditorTextLeaveQuestion,
  EditorTextLeaveAnswers,
  EditorTextLeaveAnswersPad,
  EditorTextRestoreQuestion,
  EditorTextRestoreAnswers,
  EditorTextRestoreAnswersPad,
  EditorTextSaved,
  EditorTextSaveFailed,   // "%s": the file
  EditorTextNothingToUndo,
  EditorTextNothingToRedo,
  EditorTextWidest,       // "%d"
  EditorTextNarrowest,    // "%d"
  EditorTextCopied,       // "%d x %d"
  EditorTextPasted,
  EditorTextEmptyClipboard,
  EditorTextCannotPlay,   // "%s": why the stages cannot be played
  EditorTextNoGround,     // "%d": the column
  EditorTextPlayTestOver,
  EditorTextCleared,      // the play-test reached the goal from the start
  EditorTextClearedFromColumn,
  EditorTextRestored,
  EditorTextColumnsIn,    // "%d"
  EditorTextColumnsOut,   // "%d"
  EditorTextCannotOpen,   // the error box's line before the reason
  EditorTextNameQuestion,
  EditorTextRenameQuestion,
  EditorTextNameAnswers,
  EditorTextNameAnswersPad,
  EditorTextNameRefused,  // "%s": why
  EditorTextPackMade,     // "%s": the folder
  EditorTextRenamed,      // "%s": the folder
  EditorTextShareFaults,  // "%d": not shared while the checks find faults
  EditorTextShareUnsaved,
  EditorTextShareFailed,  // "%s": why
  EditorTextSharedRun,    // "%d %s": the link's length, where it went
  EditorTextSharedNoRun,  // the same, with no clearing run
  EditorTextLinkOnClipboard,
  EditorTextLinkInPage,
  EditorTextLinkOnStdout,
  EditorTextCount
};

const char* EditorText(EditorTextId id);
inline EditorTextId PaletteName(uint8_t entry) { return static_cast<EditorTextId>(EditorTextPalette + entry); }
inline EditorTextId KindName(uint8_t kind) { return static_cast<EditorTextId>(EditorTextKinds + kind); }
