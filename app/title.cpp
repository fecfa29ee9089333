// The title screen, and the new game its Enter starts: both stages loaded,
// both characters at their start, the music playing.
#include <cstdio>
#include <cstring>

#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "app/new_game.h"
#include "app/packs.h"
#include "editor/stage_editor.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "player/player_record.h"
#include "sound/music.h"
#include "stage/stage_file.h"
#include "stage/stage_map.h"

namespace {

DWORD TitleClock = 0;
uint8_t LatchOptions = 0;
// The Enter that left the options screen ("Back") is the screen's: the
// title starts a game only on an Enter pressed after it.
uint8_t LatchEnter = 0;
uint8_t LatchStages = 0;
uint8_t LatchEditor = 0;

// The foot line: how to open the options screen, in white on the black.
void DrawOptionsLine() {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  const char* text = GameText(TextTitleOptions);
  RECT measure{0, 0, ScreenWidth, 16};
  DrawTextA(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  RECT line{(ScreenWidth - measure.right) / 2, 430, ScreenWidth, 446};
  DrawTextA(dc, text, -1, &line, DT_SINGLELINE);
  ReleaseDC(BackBuffer, dc);
}

void CentredLine(HDC dc, const char* text, int y) {
  RECT measure{0, 0, ScreenWidth, 16};
  DrawTextA(dc, text, -1, &measure, DT_SINGLELINE | DT_CALCRECT);
  RECT line{(ScreenWidth - measure.right) / 2, y, ScreenWidth, y + 16};
  DrawTextA(dc, text, -1, &line, DT_SINGLELINE);
}

// The stages in force under the caption, and above the options' foot line
// how to choose others, and above that how to edit them.
void DrawStagesLines() {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkMode(dc, TRANSPARENT);
  const Pack* pack = PackInForce();
  const std::string name = pack ? PackScreenText(*pack, "name", TextLanguage()) : GameText(TextStagesOwn);
  char line[256];
  std::snprintf(line, sizeof line, GameText(TextTitleStagesInForce), name.c_str());
  CentredLine(dc, line, 340);
  CentredLine(dc, GameText(TextTitleStages), 412);
  CentredLine(dc, GameText(TextTitleEditor), 394);
  ReleaseDC(BackBuffer, dc);
}

void ClearBackBuffer() {
  HDC dc = nullptr;
  if (GetDC(BackBuffer, &dc) != DD_OK) return;
  PatBlt(dc, 0, 0, ScreenWidth, ScreenHeight, BLACKNESS);
  ReleaseDC(BackBuffer, dc);
}

}  // namespace

void LatchTitleKeys() { LatchOptions = LatchEnter = LatchStages = LatchEditor = 1; }

int StartNewGame(HWND window, PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA,
                 EnemyTable* enemiesB, StageMap* mapA, StageMap* mapB) {
  // A recording's header names the stages the game is played on.
  NoteNewGameStarts();
  *mapA = StageMap{};
  *mapB = StageMap{};
  if (!LoadStageFile(mapA, "stage\\fai_kansei.txt")) {
    MessageBoxA(window, GameText(TextStageError), GameText(TextErrorCaption), MB_OK);
    ReleaseDisplay();
    return 0;
  }
  if (!LoadStageFile(mapB, "stage\\Magic1234.txt")) {
    MessageBoxA(window, GameText(TextStageError), GameText(TextErrorCaption), MB_OK);
    StageMap none{};
    FreeStageMaps(mapA, &none);
    ReleaseDisplay();
    return 0;
  }
  // The whole state, not the characters alone: a play-test in the editor
  // may have run before this game.
  ResetNewGameState(playerA, playerB, enemiesA, enemiesB);
  StartMusic();  // repeats without end
  return 1;
}

int RunTitle(HWND window, PlayerRecord* playerA, PlayerRecord* playerB, EnemyTable* enemiesA, EnemyTable* enemiesB,
             StageMap* mapA, StageMap* mapB) {
  const DWORD now = timeGetTime();
  if (now - TitleClock < FrameInterval) return 1;
  TitleClock = now;
  SetInputScreen(InputTitle);
  if (!KeyDown(VK_F3)) LatchOptions = 0;
  if (KeyDown(VK_F3) && LatchOptions == 0) {
    LatchOptions = 1;
    RunOptionsScreen();
    if (IsQuitRequested()) return 1;
    LatchEnter = 1;
  }
  if (!KeyDown(VK_RETURN)) LatchEnter = 0;
  if (!KeyDown(VK_F4)) LatchStages = 0;
  if (KeyDown(VK_F4) && LatchStages == 0) {
    LatchStages = 1;
    RunPackChooser();
    if (IsQuitRequested()) return 1;
  }
  // The stage editor stands where the title was, on the stages in force.
  if (!KeyDown(VK_F5)) LatchEditor = 0;
  if (KeyDown(VK_F5) && LatchEditor == 0) {
    LatchEditor = 1;
    GameMode = ModeEditor;
    if (OpenStageEditor(window, true)) return 1;
    GameMode = ModeTitle;
  }
  ClearBackBuffer();
  BltClipped(BackBuffer, 258, 300, TileSheet, 191, 18, 315, 34, BltKeyed);  // caption
  BltClipped(BackBuffer, 134, 100, TileSheet, 192, 42, 560, 90, BltKeyed);  // logo
  DrawOptionsLine();
  DrawStagesLines();
  if (KeyDown(VK_RETURN) && LatchEnter == 0) {
    ClearBackBuffer();
    BltClipped(BackBuffer, 500, 460, TileSheet, 191, 0, 301, 16, BltKeyed);  // loading
    GameMode = ModeWorldA;
    // The loading screen stays up while the stages are read.
    Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
    if (!StartNewGame(window, playerA, playerB, enemiesA, enemiesB, mapA, mapB)) return 0;
  }
  Flip(PrimarySurface, nullptr, DDFLIP_WAIT);
  return 1;
}
