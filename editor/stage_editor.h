// SPDX-License-Identifier: MIT
// The stage editor, as the main loop runs it: opened on a pack folder in
// place of the title, one frame at every idle turn (paced as the title is),
// and closed as it is left or the game ends.
#pragma once

#include "platform/win32/win32.h"

#include <string>

struct PlayerRecord;
struct EnemyTable;

// Opens the editor on the pack the run names (--edit), or from the title on
// the stages in force: both worlds' stages read from it, or the game's own
// for one it lacks, and an autosave newer than them offered back. The
// game's own stages, or a pack the game ships, are first copied into a new
// pack of the player's under the name asked for. 0, after saying why in a
// box, when it cannot. Left, the editor opened from the title gives the
// title back (the pack just edited chosen when it can be played); opened
// by --edit, it ends the game.
int OpenStageEditor(HWND window, bool fromTitle);
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
// True once the editor has opened in this run (the state dump says what it holds).
bool StageEditorOpened();

// The records a play-test plays with (the main loop's).
void SetPlayTestWorlds(PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA, EnemyTable* enemiesB);
// At each turn of the main loop while a play-test runs: the editor's key
// (F5, pressed again) goes back to the editor.
void WatchPlayTest();
// The clearing run a shared link carries: the input file of the last
// play-test from the start that reached the goal, on the stages as they
// stand and as saved (a game on the pack from a fresh start, its header
// naming the pack's files as they are now); "" when there is none, or the
// stages changed since, or they are not saved.
std::string EditorClearingRun();
