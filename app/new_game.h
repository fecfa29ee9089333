// SPDX-License-Identifier: MIT
// A new game's whole state, and the end of a game. The title's new game
// and the stage editor's play-test both set the whole state again (a
// play-test may have run before the title's game); the title's game ends
// the process, a play-test goes back to the editor.
#pragma once

#include <cstdint>

struct PlayerRecord;
struct EnemyTable;

// Both characters start alike: full health, the two slashes and the first
// level of health learned, the upward slash and the thrust still to buy.
void SetStartingPlayer(PlayerRecord* p);
// Everything a game carries from one frame to the next as a fresh process
// has it: both characters at their start, no enemies, no pick-ups, no
// combo, no world switch under way, every latch let go, the random numbers
// from their first seed.
void ResetNewGameState(PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA, EnemyTable* enemiesB);

// How a game ends: the closing screen's Enter after the goal, No to
// continuing after a death, the pause menu's quit, or (a play-test only)
// the editor's key.
enum GameEnd : uint8_t { GameEndNone, GameEndGoal, GameEndDeath, GameEndQuit, GameEndEditorKey };
// The one end of a game: the process ends (as it always did), or while a
// play-test runs, the editor takes over again at the next turn of the loop.
void EndGame(uint8_t how);
// Set by the editor while its play-test runs; the end it came to, once over.
extern uint8_t PlayTesting;
extern uint8_t PlayTestEnd;
