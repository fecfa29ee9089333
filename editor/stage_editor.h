// SPDX-License-Identifier: MIT
// The stage editor, as the main loop runs it: opened on a pack folder in
// place of the title, one frame at every idle turn (paced as the title is),
// and closed as it is left or the game ends.
#pragma once

#include "platform/win32/win32.h"

// Opens the editor on the pack folder the run names (--edit): both worlds'
// stages read from it, or the game's own for one it lacks, and an autosave
// newer than them offered back. 0, after saying why in a box, when it cannot.
int OpenStageEditor(HWND window);
// One frame: the 30 ms gate, the keys of the last sample, the picture, the flip.
void RunStageEditorFrame();
// The editor is left or the game asked to end (the window closed, a
// signal): changes the autosave lacks are written to it. Safe to call twice.
void CloseStageEditor();
// The window's messages while the editor is up (the keys come from the
// samples; the pointer's messages will come here).
LRESULT StageEditorMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// How many faults the checks find in the stages as they stand: a pair with
// faults can be played but not shared.
int StageEditorFaults();
