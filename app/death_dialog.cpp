#include <algorithm>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "gfx/display.h"
#include "growth/skill_menu.h"
#include "player/player_record.h"
#include "player/player_step.h"
#include "sound/sound_effects.h"

namespace {

constexpr int PenaltySkills = 5;
constexpr int32_t PenaltyLevels = 2;

}  // namespace

void ContinueAfterDeath(PlayerRecord* p, PlayerRecord* q) {
  for (int i = 0; i < PenaltySkills; i++) p->skills[i].level = std::max(p->skills[i].level - PenaltyLevels, 0);
  for (int i = 0; i < PenaltySkills; i++) q->skills[i] = p->skills[i];
  q->body.dead = p->body.dead = 0;
  q->body.hp = p->body.hp = p->maxHp;
  q->body.invuln = p->body.invuln = InvulnFrames;
  q->body.hurt = p->body.hurt = 0;
}

void RunDeathDialog(PlayerRecord* p, PlayerRecord* q) {
  while (true) {
    DrawQuestionBox(GameText(TextDeathQuestion));
    // An Enter still held from a purchase in the skill menu does not count.
    if (KeyDown('Y') || (KeyDown(VK_RETURN) && KeyLatchEnter == 0)) break;
    if (KeyDown('N')) {
      PostQuitMessage(0);
      return;
    }
    // A closed window ends the game from here too, through the main loop.
    if (IsQuitRequested()) return;
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
  ContinueAfterDeath(p, q);
  PlaySoundEffect(SeLvup);
}
