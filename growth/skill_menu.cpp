// The skill menu: browsing the grid of skills and the purchase question;
// and the menu text and question box that the other screens share.
#include "growth/skill_menu.h"

#include <cstdio>

#include "app/frame_driver.h"
#include "app/game.h"
#include "app/game_texts.h"
#include "gfx/display.h"
#include "gfx/fade.h"
#include "gfx/hud.h"
#include "platform/win32/gdi.h"
#include "player/player_record.h"
#include "sound/sound_effects.h"

uint8_t KeyLatchEnter;

namespace {

constexpr int MenuFadeStep = 60;
constexpr int OfferedSkills = 5;
constexpr int GridRows = 5;
constexpr int GridColumns = 3;
constexpr RECT WholeScreen{0, 0, ScreenWidth, ScreenHeight};
constexpr RECT DescriptionRect{15, 350, 620, 460};

const TextId SkillDescriptions[OfferedSkills] = {TextSlashDescription, TextSweepDescription, TextRisingDescription,
                                                 TextThrustDescription, TextMaxHpDescription};

// One opening of the menu.
struct MenuState {
  int8_t row;
  int8_t column;
  uint8_t confirming;
  int8_t selected;
  uint8_t fade;  // 0 first flip, 1 fading in, 2 shown
  uint8_t latchUp, latchDown, latchLeft, latchRight;
};

int CursorIndex(const MenuState& m) { return m.column + GridColumns * m.row; }

// A press is taken once; the key must be seen up before it counts again.
bool TakeKey(int virtualKey, uint8_t* latch) {
  if (!KeyDown(virtualKey) || *latch != 0) return false;
  *latch = 1;
  return true;
}

void ReleaseKey(int virtualKey, uint8_t* latch) {
  if (!KeyDown(virtualKey)) *latch = 0;
}

void DrawMenu(const PlayerRecord* p, const MenuState& m) {
  RECT cursor{0, 0, 64, 64};
  BltFast(BackBuffer, 130 * m.column + 10, 65 * m.row + 11, CursorSurface, &cursor, BltKeyed);
  // The offered slots fill the cells in order; the first slot not offered
  // ends the list, and the cells after it stay empty.
  int k = 0;
  for (int row = 0; row < GridRows; row++)
    for (int column = 0; column < GridColumns; column++) {
      if (p->skills[k].level == -1) continue;
      DrawSmallNumber(110 + 130 * column, 54 + 64 * row, p->skills[k].level, 2);
      k++;
    }
  DrawLargeNumber(p->body.hp, 388, 50);
  DrawLargeNumber(p->maxHp, 503, 50);
  DrawLargeNumber(p->skillPoints, 503, 135);
  const int index = CursorIndex(m);
  if (index < OfferedSkills) {
    char text[512];
    std::snprintf(text, sizeof text, GameText(TextPriceSentence), GameText(SkillDescriptions[index]),
                  p->skills[index].cost);
    DrawMenuText(text, DescriptionRect, 0);
  }
}

// One pass while browsing; returns true when Ctrl closes the menu.
bool Browse(PlayerRecord* p, MenuState* m) {
  if (KeyDown(VK_CONTROL) && KeyLatchCtrl == 0) return true;
  if (TakeKey(VK_UP, &m->latchUp) && m->row > 0) m->row--;
  if (TakeKey(VK_DOWN, &m->latchDown) && ++m->row > GridRows - 1) m->row = GridRows - 1;
  if (TakeKey(VK_LEFT, &m->latchLeft) && m->column > 0) m->column--;
  if (TakeKey(VK_RIGHT, &m->latchRight) && m->column < GridColumns - 1) m->column++;
  BltFast(BackBuffer, 0, 0, StatusSurface, &WholeScreen, BltOpaque);
  if (KeyDown(VK_RETURN) && KeyLatchEnter == 0) {
    m->selected = static_cast<int8_t>(CursorIndex(*m));
    const SkillSlot& s = p->skills[m->selected];
    if (s.cost > p->skillPoints || s.level == -1) {
      PlaySoundEffect(SeNo);
    } else {
      m->confirming = 1;
      PlaySoundEffect(SeOk);
    }
    KeyLatchEnter = 1;
  }
  DrawMenu(p, *m);
  ReleaseKey(VK_UP, &m->latchUp);
  ReleaseKey(VK_DOWN, &m->latchDown);
  ReleaseKey(VK_LEFT, &m->latchLeft);
  ReleaseKey(VK_RIGHT, &m->latchRight);
  ReleaseKey(VK_CONTROL, &KeyLatchCtrl);
  ReleaseKey(VK_RETURN, &KeyLatchEnter);
  return false;
}

// One pass while the question is open; the menu picture is not redrawn.
void Confirm(PlayerRecord* p, PlayerRecord* q, MenuState* m) {
  ReleaseKey(VK_RETURN, &KeyLatchEnter);
  if (ConfirmSkillPurchase(&p->skills[m->selected], &p->skillPoints) == 0) return;
  m->confirming = 0;
  if (m->selected == SkillMaxHp) p->maxHp = 10 * p->skills[SkillMaxHp].level + 90;
  q->maxHp = p->maxHp;
}

void CloseMenu() {
  KeyLatchCtrl = 1;
  FadeOut(MenuFadeStep, GamePalette);
  BltFast(BackBuffer, 0, 0, WorkSurface, &WholeScreen, BltOpaque);
  FadeIn(MenuFadeStep, GamePalette);
}

}  // namespace

void DrawMenuText(const char* text, RECT rect, UINT format) {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  DrawTextA(dc, text, -1, &rect, format);
  ReleaseDC(BackBuffer, dc);
}

void DrawQuestionBox(const char* question, const char* answer) {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  RoundRect(dc, 120, 160, 520, 220, 10, 10);
  ReleaseDC(BackBuffer, dc);
  DrawMenuText(question, RECT{160, 165, 515, 235}, 0);
  DrawMenuText(answer ? answer : GameText(TextAnswerLine), RECT{220, 190, 515, 225}, 0);
}

void FormatPurchaseQuestion(char* out, size_t size, const SkillSlot& slot) {
  std::snprintf(out, size, GameText(slot.level == 0 ? TextLearnQuestion : TextRaiseQuestion), slot.cost);
}

int ConfirmSkillPurchase(SkillSlot* slot, int32_t* skillPoints) {
  char question[128];
  FormatPurchaseQuestion(question, sizeof question, *slot);
  DrawQuestionBox(question);
  if (KeyDown('Y') || (KeyDown(VK_RETURN) && KeyLatchEnter == 0)) {
    slot->level++;
    *skillPoints -= slot->cost;
    // A tenth dearer, rounded down; in 64 bits, so that no price can overflow.
    const int64_t next = int64_t{slot->cost} * 11 / 10;
    slot->cost = next > INT32_MAX ? INT32_MAX : static_cast<int32_t>(next);
    KeyLatchEnter = 1;
    PlaySoundEffect(SeLvup);
    return 1;
  }
  return KeyDown('N') ? -1 : 0;
}

void RunSkillMenu(PlayerRecord* active, PlayerRecord* other) {
  BltFast(WorkSurface, 0, 0, BackBuffer, &WholeScreen, BltOpaque);
  FadeOut(MenuFadeStep, GamePalette);
  MenuState m{};
  while (true) {
    // A closed window leaves the menu at once; the main loop then ends the
    // game.
    if (IsQuitRequested()) break;
    SetInputScreen(m.confirming ? InputQuestion : InputSkillMenu);
    if (m.confirming) {
      Confirm(active, other, &m);
    } else if (Browse(active, &m)) {
      CloseMenu();
      break;
    }
    if (m.fade == 0) {
      Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
      m.fade = 1;
      continue;
    }
    if (m.fade == 1) {
      FadeIn(MenuFadeStep, GamePalette);
      m.fade = 2;
    }
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
  // Both worlds' characters always know the same skills.
  for (int i = 0; i < OfferedSkills; i++) other->skills[i] = active->skills[i];
}
