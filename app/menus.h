// Screens that run loops of their own over the frozen game picture.
#pragma once

// Escape: F1 returns to the game, F2 ends it.
void RunPauseMenu();
// The title screen's frame; returns 0 when a new game could not be set up.
int RunTitle(HWND window);
