// The death dialog: Y continues at a price in skill levels, N ends the game.
#include <algorithm>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "app/new_game.h"
#include "gfx/display.h"
#include "growth/skill_menu.h"
#include "player/player_record.h"
#include "player/player_step.h"
#include "sound/sound_effects.h"

namespace {

constexpr int PenaltySkills = 5;
constexpr int32_t PenaltyLevels = 2;
constexpr RECT WholeScreen{0, 0, ScreenWidth, ScreenHeight};

}  // namespace

void ContinueAfterDeath(PlayerRecord* active, PlayerRecord* other) {
  for (int i = 0; i < PenaltySkills; i++)
    active->skills[i].level = std::max(active->skills[i].level - PenaltyLevels, 0);
  for (int i = 0; i < PenaltySkills; i++) other->skills[i] = active->skills[i];
  other->body.dead = active->body.dead = 0;
  other->body.hp = active->body.hp = active->maxHp;
  other->body.invuln = active->body.invuln = InvulnFrames;
  other->body.hurt = active->body.hurt = 0;
}

void RunDeathDialog(PlayerRecord* active, PlayerRecord* other) {
  // The frame the box is drawn over: on continuing it goes back on both
  // buffers, so neither the flip that follows nor a pause menu opened by an
  // Escape pressed meanwhile shows the old box.
  DDSURFACEDESC2 desc{};
  DDSurface* frame = nullptr;
  CreateOffscreenSurface(&desc, ScreenWidth, ScreenHeight, &frame);
  if (frame) BltFast(frame, 0, 0, BackBuffer, &WholeScreen, BltOpaque);
  bool answered = false;
  while (true) {
    SetInputScreen(InputDeathDialog);
    DrawQuestionBox(GameText(TextDeathQuestion), GameText(TextDeathAnswerLine));
    // An Enter still held from a purchase in the skill menu does not count.
    if (KeyDown('Y') || (KeyDown(VK_RETURN) && KeyLatchEnter == 0)) {
      answered = true;
      break;
    }
    if (KeyDown('N')) {
      EndGame(GameEndDeath);
      break;
    }
    // A closed window ends the game from here too, through the main loop.
    if (IsQuitRequested()) break;
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
  if (frame && answered) {
    BltFast(BackBuffer, 0, 0, frame, &WholeScreen, BltOpaque);
    BltFast(PrimarySurface, 0, 0, frame, &WholeScreen, BltOpaque);
  }
  if (frame) Release(frame);
  if (!answered) return;
  ContinueAfterDeath(active, other);
  PlaySoundEffect(SeLvup);
}
