// SPDX-License-Identifier: MIT
// The options screen: language, volumes, the window, and every game key's
// key and pad button, over a black screen in a white box. It reads only
// the sampled keys, so a recording of it replays: while a key is being
// chosen, the sample holds the key pressed itself.
#include <algorithm>
#include <cstdio>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "growth/skill_menu.h"
#include "platform/shell/player_options.h"
#include "sound/sound_effects.h"

namespace {

enum OptionsRow : uint8_t {
  RowLanguage,
  RowMusic,
  RowEffects,
  RowDisplay,
  RowScale,
  RowFirstKey,
  RowDefaults = RowFirstKey + BindableKeys,
  RowBack,
  Rows
};
constexpr int VolumeStep = 10;
// The scales offered with no display to fit (a headless run).
constexpr int LargestScale = 8;
// The language entry's values: the desktop's, then each language.
const char* const LanguageChoices[3] = {"", "en", "ja"};
constexpr int Top = 34;
constexpr int LineHeight = 16;
constexpr int LabelX = 56, ValueX = 300, PadX = 460;

enum OptionsMessage : uint8_t { MessageNone, MessageSwapped, MessageRefused };

// One opening of the screen.
struct OptionsState {
  uint8_t row;
  uint8_t column;    // on a key's row: 0 the keyboard, 1 the pad
  uint8_t choosing;  // waiting for the new key
  uint8_t heldSince; // a key was down when the choosing began
  uint8_t message;
  uint8_t messageAction;
  // A key counts when it goes down; every latch starts set, so keys held
  // as the screen opens count only once pressed again.
  uint8_t latchUp, latchDown, latchLeft, latchRight, latchEnter, latchLeave, latchTap;
  GameSettings settings;
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

void LatchAll(OptionsState* s) {
  s->latchUp = s->latchDown = s->latchLeft = s->latchRight = s->latchEnter = s->latchLeave = s->latchTap = 1;
}

int RowY(int row) { return Top + LineHeight * row; }

// The scales offered: those whose window fits the display.
int LargestOffered() {
  const int fits = LargestWindowScale();
  return fits > 0 ? fits : LargestScale;
}

void Text(HDC dc, const char* text, int x, int y, COLORREF colour) {
  SetTextColor(dc, colour);
  RECT r{x, y, 620, y + LineHeight};
  DrawTextA(dc, text, -1, &r, DT_SINGLELINE);
}

void Centred(HDC dc, const char* text, int y, COLORREF colour) {
  RECT measure{0, 0, ScreenWidth, LineHeight};
  DrawTextA(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  Text(dc, text, (ScreenWidth - (measure.right - measure.left)) / 2, y, colour);
}

void Draw(const OptionsState& s) {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  PatBlt(dc, 0, 0, ScreenWidth, ScreenHeight, BLACKNESS);
  RoundRect(dc, 16, 6, 624, 476, 10, 10);
  SetBkMode(dc, TRANSPARENT);
  const COLORREF ink = RGB(0, 0, 0), chosen = RGB(255, 0, 0);
  Text(dc, GameText(TextOptionsHeading), LabelX, 14, ink);
  char value[64];
  for (int row = 0; row < Rows; row++) {
    const int y = RowY(row);
    const bool here = row == s.row;
    const COLORREF colour = here ? chosen : ink;
    if (here) {
      HGDIOBJ old = SelectObject(dc, RedBrush);
      Rectangle(dc, 36, y + 4, 44, y + 12);
      SelectObject(dc, old);
    }
    if (row >= RowFirstKey && row < RowDefaults) {
      const int action = row - RowFirstKey;
      Text(dc, GameText(static_cast<TextId>(TextActionNames + action)), LabelX, y, colour);
      for (int column = 0; column < 2; column++) {
        const std::string item = BoundItem(s.settings, action, column == 1);
        const char* shown = s.choosing && here && s.column == column ? "..." : item.empty() ? "-" : KeyLabel(item.c_str());
        Text(dc, shown, column ? PadX : ValueX, y, here && s.column == column ? chosen : ink);
      }
      continue;
    }
    const char* label = "";
    value[0] = 0;
    switch (row) {
      case RowLanguage: {
        label = GameText(TextOptionsLanguage);
        char desktop[48];
        std::snprintf(desktop, sizeof desktop, GameText(TextOptionsLanguageDesktop),
                      LanguageOwnName(LanguageFromLocale()));
        std::snprintf(value, sizeof value, "< %s >",
                      s.settings.language.empty() ? desktop : GameText(TextOptionsLanguageName));
        break;
      }
      case RowMusic:
        label = GameText(TextOptionsMusic);
        std::snprintf(value, sizeof value, "< %d >", s.settings.musicVolume);
        break;
      case RowEffects:
        label = GameText(TextOptionsEffects);
        std::snprintf(value, sizeof value, "< %d >", s.settings.effectsVolume);
        break;
      case RowDisplay:
        label = GameText(TextOptionsDisplay);
        std::snprintf(value, sizeof value, "< %s >",
                      GameText(s.settings.fullscreen ? TextOptionsFullScreen : TextOptionsWindow));
        break;
      case RowScale:
        label = GameText(TextOptionsScale);
        if (s.settings.scale == 0) std::snprintf(value, sizeof value, "< %s >", GameText(TextOptionsLargest));
        else std::snprintf(value, sizeof value, "< %d >", s.settings.scale);
        break;
      case RowDefaults: label = GameText(TextOptionsDefaults); break;
      case RowBack: label = GameText(TextOptionsBack); break;
      default: break;
    }
    Text(dc, label, LabelX, y, colour);
    Text(dc, value, ValueX, y, colour);
  }
  // The columns' heads, beside the heading.
  Text(dc, GameText(TextOptionsKeyboard), ValueX, 14, ink);
  Text(dc, GameText(TextOptionsPad), PadX, 14, ink);
  // One line under the rows: what the screen has to say, else the hint.
  const int messageY = RowY(Rows - 1) + LineHeight + 2;
  char line[160];
  if (s.choosing) {
    Centred(dc, GameText(s.column ? TextOptionsPressButton : TextOptionsPressKey), messageY, chosen);
  } else if (s.message != MessageNone) {
    std::snprintf(line, sizeof line, GameText(s.message == MessageSwapped ? TextOptionsSwapped : TextOptionsRefused),
                  GameText(static_cast<TextId>(TextActionNames + s.messageAction)));
    Centred(dc, line, messageY, chosen);
  } else if (s.row == RowScale && s.settings.scale > LargestOffered()) {
    // A scale kept from a larger display.
    std::snprintf(line, sizeof line, GameText(TextOptionsScaleTooLarge), s.settings.scale, LargestOffered());
    Centred(dc, line, messageY, chosen);
  } else {
    Centred(dc, GameText(TextOptionsHint), messageY, ink);
  }
  ReleaseDC(BackBuffer, dc);
}

// The game key that lost the key or button to the one just bound, for the
// message; the first whose bindings changed.
int ChangedAction(const GameSettings& before, const GameSettings& after, int bound) {
  for (int i = 0; i < BindableKeys; i++)
    if (i != bound && before.bindings[i] != after.bindings[i]) return i;
  return bound;
}

bool AnyKeyDown() {
  for (int vk = 1; vk < 256; vk++)
    if (KeyDown(vk)) return true;
  return false;
}

// While choosing: the first key (or pad button) pressed once every key was up.
void Choose(OptionsState* s) {
  if (s->heldSince) {
    if (!AnyKeyDown()) s->heldSince = 0;
    return;
  }
  int pressed = 0;
  for (int vk = 1; vk < 256 && !pressed; vk++)
    if (KeyDown(vk)) pressed = vk;
  if (!pressed) return;
  const RawKey* key = RawKeyOf(pressed);
  const bool padKey = IsPadKey(pressed);
  // Escape gives up; so does a pad button while a keyboard key is wanted,
  // so that a pad alone is never stuck here. Other keys of the wrong kind
  // are not taken.
  const bool giveUp = pressed == VK_ESCAPE || (padKey && s->column == 0);
  if (!giveUp && (!key || !key->bindingItem || padKey != (s->column == 1))) return;
  s->choosing = 0;
  SetInputScreen(InputOptions);
  LatchAll(s);
  if (giveUp) return;
  const int action = s->row - RowFirstKey;
  const GameSettings before = s->settings;
  const RebindResult result = Rebind(&s->settings, action, key->bindingItem);
  s->message = result == RebindRefused ? MessageRefused : result == RebindSwapped ? MessageSwapped : MessageNone;
  s->messageAction = static_cast<uint8_t>(ChangedAction(before, s->settings, action));
  if (result == RebindRefused) {
    for (int i = 0; i < BindableKeys; i++)
      if (i != action && BoundItem(before, i, padKey) == key->bindingItem) s->messageAction = static_cast<uint8_t>(i);
    PlaySoundEffect(SeNo);
  } else {
    ApplySettings(s->settings);
    PlaySoundEffect(SeOk);
  }
}

// "" follows the desktop's locale.
void SetLanguage(OptionsState* s, const char* name) {
  s->settings.language = name;
  Language language = LanguageFromLocale();
  LanguageFromName(name, &language);
  SetTextLanguage(language);
  SetRunLanguage(language);  // the platform's own words too
}

// Left (-1) or right (+1) on a row of values.
void Change(OptionsState* s, int step) {
  GameSettings& g = s->settings;
  switch (s->row) {
    case RowLanguage: {
      int at = 0;
      for (int i = 0; i < 3; i++)
        if (g.language == LanguageChoices[i]) at = i;
      SetLanguage(s, LanguageChoices[(at + step + 3) % 3]);
      return;
    }
    case RowMusic: g.musicVolume = std::clamp(g.musicVolume + step * VolumeStep, 0, 100); break;
    case RowEffects: g.effectsVolume = std::clamp(g.effectsVolume + step * VolumeStep, 0, 100); break;
    case RowDisplay: g.fullscreen = !g.fullscreen; break;
    case RowScale: {
      const int largest = LargestOffered();
      g.scale = g.scale > largest ? (step > 0 ? 0 : largest) : (g.scale + step + largest + 1) % (largest + 1);
      break;
    }
    default:
      if (s->row >= RowFirstKey && s->row < RowDefaults) s->column ^= 1;
      return;
  }
  ApplySettings(g);
  // The effects are heard at their new volume at once.
  if (s->row == RowEffects) PlaySoundEffect(SeOk);
}

// Where a tap on the picture landed: the middle of its cell.
void TapPoint(int* x, int* y) {
  int line = 0, column = 0;
  for (int bit = 0; bit < TouchCellBits; bit++) {
    if (KeyDown(VK_TOUCH_LINE_1 + bit)) line |= 1 << bit;
    if (KeyDown(VK_TOUCH_COLUMN_1 + bit)) column |= 1 << bit;
  }
  *x = column * TouchCellWidth + TouchCellWidth / 2;
  *y = line * TouchCellHeight + TouchCellHeight / 2;
}

// A tap (touch screens): the row under it is chosen, and on a key's row the
// column; a tap on the row already chosen selects it as Enter does, and on a
// value's "<" or ">" half changes it at once. Returns true for Enter.
bool Tap(OptionsState* s) {
  if (!Take(VK_TOUCH_TAP, &s->latchTap)) return false;
  int x = 0, y = 0;
  TapPoint(&x, &y);
  if (y < Top || y >= RowY(Rows)) return false;
  const uint8_t row = static_cast<uint8_t>((y - Top) / LineHeight);
  const bool keyRow = row >= RowFirstKey && row < RowDefaults;
  const uint8_t column = x >= PadX ? 1 : 0;
  const bool again = row == s->row && (!keyRow || x < ValueX || column == s->column);
  s->row = row;
  s->message = MessageNone;
  if (keyRow && x >= ValueX) s->column = column;
  if (row < RowFirstKey && x >= ValueX) {
    Change(s, x < ValueX + 24 ? -1 : 1);
    return false;
  }
  return again;
}

// One pass; true when the screen is left.
bool Step(OptionsState* s) {
  if (s->choosing) {
    Choose(s);
    return false;
  }
  // F1 first: a pad's Start is both Return and F1 here, and leaves.
  if (Take(VK_ESCAPE, &s->latchLeave) || Take(VK_F1, &s->latchLeave)) return true;
  if (Take(VK_UP, &s->latchUp)) s->row = static_cast<uint8_t>((s->row + Rows - 1) % Rows);
  if (Take(VK_DOWN, &s->latchDown)) s->row = static_cast<uint8_t>((s->row + 1) % Rows);
  if (Take(VK_LEFT, &s->latchLeft)) Change(s, -1);
  if (Take(VK_RIGHT, &s->latchRight)) Change(s, 1);
  const bool tapped = Tap(s);
  if (!tapped && (KeyDown(VK_F1) || !Take(VK_RETURN, &s->latchEnter))) return false;
  s->message = MessageNone;
  if (s->row == RowBack) return true;
  if (s->row == RowDefaults) {
    RestoreDefaultBindings(&s->settings);
    ApplySettings(s->settings);
    PlaySoundEffect(SeOk);
  } else if (s->row >= RowFirstKey) {
    s->choosing = 1;
    s->heldSince = 1;
    SetInputScreen(InputChoosingKey);
  } else {
    Change(s, 1);
  }
  return false;
}

// Keys pressed here are the screen's: none waits in the queue to open the
// pause menu once the main loop runs again.
void DropQueuedKeys() {
  MSG m{};
  while (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE) && m.message == WM_KEYDOWN)
    PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);
}

}  // namespace

void RunOptionsScreen() {
  OptionsState s{};
  s.settings = CurrentSettings();
  // What the run shows now, which the command line may have chosen; the
  // language is written only when chosen here ("" follows the locale).
  const WindowRequest shown = ShownWindow();
  s.settings.fullscreen = !shown.window;
  s.settings.scale = shown.scale;
  const Language entered = TextLanguage();
  LatchAll(&s);
  SetInputScreen(InputOptions);
  while (true) {
    DropQueuedKeys();
    if (IsQuitRequested()) break;
    if (Step(&s)) break;
    // Alt+Enter changes the window without this screen.
    s.settings.fullscreen = !ShownWindow().window;
    Draw(s);
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  }
  SetInputScreen(InputOptions);
  ApplySettings(s.settings);
  // The skill menu's picture carries the skills' names.
  if (TextLanguage() != entered) LoadBitmapSurface(StatusSurface, GamePalette, GameText(TextStatusPicture));
  SaveSettings(s.settings);
  DropQueuedKeys();
}
