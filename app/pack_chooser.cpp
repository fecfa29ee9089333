// SPDX-License-Identifier: MIT
// The title's list of stages, in the options screen's look: the game's own
// first, then every pack found, with its name and author; one that cannot
// be played is greyed with why, and the cursor passes it by. It reads only
// the sampled keys, and how it is left never depends on what it lists:
// Enter and the way back always leave it, so a recording that opened it
// plays back the same on a machine with other packs (where, the run's
// stages being fixed, Enter changes nothing).
#include <algorithm>
#include <cstdio>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "app/packs.h"
#include "gfx/display.h"
#include "gfx/hud.h"

namespace {

constexpr int Top = 40;
constexpr int LineHeight = 16;
constexpr int EntryHeight = 2 * LineHeight + 2;
constexpr int EntriesShown = 10;
constexpr int LabelX = 56;

struct ListState {
  int cursor;
  int top;  // the first entry shown
  uint8_t latchUp, latchDown, latchEnter, latchLeave;
};

bool Take(int virtualKey, uint8_t* latch) {
  if (!KeyDown(virtualKey)) {
    *latch = 0;
    return false;
  }
  if (*latch) return false;
  *latch = 1;
  return true;
}

// The next entry that can be played from `from` one way, or `from`.
int NextUsable(const std::vector<StageChoice>& list, int from, int step) {
  for (int i = from + step; i >= 0 && i < static_cast<int>(list.size()); i += step)
    if (list[i].usable) return i;
  return from;
}

// The cursor in view; past the last entry that can be played, the greyed
// ones after it too, as many as fit.
void Scroll(const std::vector<StageChoice>& list, ListState* s) {
  if (s->cursor < s->top) s->top = s->cursor;
  if (s->cursor >= s->top + EntriesShown) s->top = s->cursor - EntriesShown + 1;
  if (NextUsable(list, s->cursor, 1) == s->cursor) {
    const int last = static_cast<int>(list.size()) - EntriesShown;
    if (last > s->top) s->top = std::min(last, s->cursor);
  }
}

void Text(HDC dc, const std::string& text, int x, int y, COLORREF colour) {
  SetTextColor(dc, colour);
  RECT r{x, y, 612, y + LineHeight};
  DrawTextA(dc, text.c_str(), -1, &r, DT_SINGLELINE);
}

void Centred(HDC dc, const char* text, int y, COLORREF colour) {
  RECT measure{0, 0, ScreenWidth, LineHeight};
  DrawTextA(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  Text(dc, text, (ScreenWidth - (measure.right - measure.left)) / 2, y, colour);
}

void Draw(const std::vector<StageChoice>& list, const ListState& s, int inForce, bool fixed) {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  PatBlt(dc, 0, 0, ScreenWidth, ScreenHeight, BLACKNESS);
  RoundRect(dc, 16, 6, 624, 476, 10, 10);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF ink = RGB(0, 0, 0), chosen = RGB(255, 0, 0), grey = RGB(128, 128, 128);
  Text(dc, GameText(TextStagesHeading), LabelX, 14, ink);
  char line[512];
  for (int i = s.top; i < static_cast<int>(list.size()) && i < s.top + EntriesShown; i++) {
    const StageChoice& c = list[i];
    const int y = Top + EntryHeight * (i - s.top);
    const bool here = i == s.cursor;
    if (here) {
      HGDIOBJ old = SelectObject(dc, RedBrush);
      Rectangle(dc, 36, y + 4, 44, y + 12);
      SelectObject(dc, old);
    }
    std::string head = c.name;
    if (!c.author.empty()) {
      std::snprintf(line, sizeof line, GameText(TextStagesBy), c.author.c_str());
      head += "  " + std::string(line);
    }
    if (i == inForce) head += "  " + std::string(GameText(TextStagesChosen));
    Text(dc, head, LabelX, y, !c.usable ? grey : here ? chosen : ink);
    Text(dc, c.about, LabelX + 16, y + LineHeight, c.usable ? ink : grey);
  }
  const int footY = Top + EntryHeight * EntriesShown + 6;
  if (s.cursor < static_cast<int>(list.size()) && !list[s.cursor].licence.empty()) {
    std::snprintf(line, sizeof line, GameText(TextStagesLicence), list[s.cursor].licence.c_str());
    Text(dc, line, LabelX, footY, ink);
  }
  if (fixed) {
    Centred(dc, GameText(TextStagesFixed), footY + LineHeight + 4, chosen);
  } else if (list.size() == 1) {
    const std::vector<std::string> folders = PacksFolders();
    std::snprintf(line, sizeof line, GameText(TextStagesWhere),
                  folders.empty() ? "-" : ScreenText(folders.front()).c_str());
    Centred(dc, line, footY + LineHeight + 4, ink);
  }
  Centred(dc, GameText(TextStagesHint), footY + 2 * LineHeight + 8, ink);
  ReleaseDC(BackBuffer, dc);
}

enum ListResult : uint8_t { ListStays, ListLeft, ListChosen };

ListResult Step(const std::vector<StageChoice>& list, ListState* s) {
  // F1 first: a pad's Start is both Return and F1 here, and leaves.
  if (Take(VK_ESCAPE, &s->latchLeave) || Take(VK_F1, &s->latchLeave)) return ListLeft;
  if (Take(VK_UP, &s->latchUp)) s->cursor = NextUsable(list, s->cursor, -1);
  if (Take(VK_DOWN, &s->latchDown)) s->cursor = NextUsable(list, s->cursor, 1);
  Scroll(list, s);
  if (KeyDown(VK_F1) || !Take(VK_RETURN, &s->latchEnter)) return ListStays;
  return ListChosen;
}

// Keys pressed here are the list's: none waits in the queue to open the
// pause menu once the title runs again.
void DropQueuedKeys() {
  MSG m{};
  while (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) && m.message == WM_KEYDOWN)
    PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
}

}  // namespace

void RunPackChooser() {
  const std::vector<StageChoice> list = ListStageChoices();
  const Pack* now = PackInForce();
  int inForce = 0;
  for (int i = 1; i < static_cast<int>(list.size()); i++)
    if (now && list[i].pack.folder == now->folder) inForce = i;
  const bool fixed = PackChoiceFixed();
  ListState s{};
  s.cursor = inForce;
  // Keys held as the list opens count only once pressed again.
  s.latchUp = s.latchDown = s.latchEnter = s.latchLeave = 1;
  Scroll(list, &s);
  SetInputScreen(InputOptions);
  ListResult result = ListStays;
  while (result == ListStays) {
    DropQueuedKeys();
    if (IsQuitRequested()) break;
    result = Step(list, &s);
    Draw(list, s, inForce, fixed);
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
  SetInputScreen(InputTitle);
  DropQueuedKeys();
  if (result != ListChosen || fixed || s.cursor == inForce || !list[s.cursor].usable) return;
  const StageChoice& c = list[s.cursor];
  ChoosePack(c.pack.id.empty() ? nullptr : &c.pack, c.kept);
  // A pack checked a moment ago could still change under the game: then
  // its own stages, rather than a game with pictures missing.
  if (!ReloadGameData()) {
    ChoosePack(nullptr, c.kept);
    ReloadGameData();
  }
}
