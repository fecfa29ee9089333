// The pause menu: its box over the frozen picture until F1 or F2.
#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "gfx/display.h"
#include "growth/skill_menu.h"

void RunPauseMenu() {
  while (true) {
    HDC dc = nullptr;
    if (GetDC(BackBuffer, &dc) == DD_OK) {
      RoundRect(dc, 100, 200, 540, 220, 10, 10);
      ReleaseDC(BackBuffer, dc);
    }
    DrawMenuText(GameText(TextPauseMenu), RECT{140, 200, 530, 220}, 0);
    if (KeyDown(VK_F1)) return;
    if (KeyDown(VK_F2)) {
      PostQuitMessage(0);
      return;
    }
    // A closed window ends the game from here too, through the main loop.
    if (IsQuitRequested()) return;
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
}
