// The pause menu: its box over the frozen picture until F1 or F2; F3 opens
// the options screen and comes back to the menu.
#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "app/new_game.h"
#include "gfx/display.h"
#include "growth/skill_menu.h"

namespace {

constexpr RECT WholeScreen{0, 0, ScreenWidth, ScreenHeight};

// The options screen covers the frozen picture; both buffers of the flip
// chain are kept and put back, so the bar comes back over the same game.
void OptionsOverFrozenPicture() {
  DDSURFACEDESC2 desc{};
  DDSurface* kept[2] = {nullptr, nullptr};
  CreateOffscreenSurface(&desc, ScreenWidth, ScreenHeight, &kept[0]);
  CreateOffscreenSurface(&desc, ScreenWidth, ScreenHeight, &kept[1]);
  if (kept[0]) BltFast(kept[0], 0, 0, BackBuffer, &WholeScreen, BltOpaque);
  if (kept[1]) BltFast(kept[1], 0, 0, PrimarySurface, &WholeScreen, BltOpaque);
  RunOptionsScreen();
  if (kept[1]) BltFast(BackBuffer, 0, 0, kept[1], &WholeScreen, BltOpaque);
  if (!IsQuitRequested()) Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  if (kept[0]) BltFast(BackBuffer, 0, 0, kept[0], &WholeScreen, BltOpaque);
  for (DDSurface* k : kept)
    if (k) Release(k);
}

}  // namespace

void RunPauseMenu() {
  // F3 held as the menu opens does not open the options at once.
  uint8_t latchOptions = 1;
  // F1 that left the options screen is not taken for the menu's own F1.
  uint8_t afterOptions = 0;
  while (true) {
    SetInputScreen(InputPauseMenu);
    HDC dc = nullptr;
    if (GetDC(BackBuffer, &dc) == DD_OK) {
      RoundRect(dc, 100, 200, 540, 240, 10, 10);
      ReleaseDC(BackBuffer, dc);
    }
    DrawMenuText(GameText(PlayTesting ? TextPauseMenuPlayTest : TextPauseMenu), RECT{140, 200, 530, 220}, 0);
    DrawMenuText(GameText(TextPauseOptions), RECT{140, 220, 530, 240}, 0);
    if (afterOptions && !KeyDown(VK_F1) && !KeyDown(VK_F2)) afterOptions = 0;
    if (KeyDown(VK_F1) && !afterOptions) return;
    if (KeyDown(VK_F2) && !afterOptions) {
      EndGame(GameEndQuit);
      return;
    }
    if (!KeyDown(VK_F3)) latchOptions = 0;
    if (KeyDown(VK_F3) && latchOptions == 0) {
      latchOptions = 1;
      OptionsOverFrozenPicture();
      afterOptions = 1;
      continue;
    }
    // A closed window ends the game from here too, through the main loop.
    if (IsQuitRequested()) return;
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
}
