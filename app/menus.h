// Screens that run loops of their own over the frozen game picture.
#pragma once

#include "platform/win32/win32.h"

struct PlayerRecord;
struct EnemyTable;
struct StageMap;

// Escape: F1 returns to the game, F2 ends it, F3 opens the options screen.
void RunPauseMenu();
// F3 on the title or in the pause menu; returns when it is left, the
// settings applied and saved.
void RunOptionsScreen();
// F4 (the pad's Y) on the title: the list of stages to play; returns when
// it is left, the stages chosen in force and their data loaded.
void RunPackChooser();
// The title screen's frame; returns 0 when a new game could not be set up.
int RunTitle(HWND window, PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA, EnemyTable* enemiesB,
             StageMap* mapA, StageMap* mapB);
// The title's keys held now count only once pressed again (the title is
// back from the stage editor).
void LatchTitleKeys();
// Enter on the title: both stages loaded, both characters at their start.
int StartNewGame(HWND window, PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA,
                 EnemyTable* enemiesB, StageMap* mapA, StageMap* mapB);
// When the active character's death explosion has finished: continue or quit.
void RunDeathDialog(PlayerRecord* active, PlayerRecord* other);
// The price of a continue: skill levels 0 to 4 two lower in both records,
// both characters alive, at full HP and invulnerable for a while.
void ContinueAfterDeath(PlayerRecord* active, PlayerRecord* other);
