// The process: start-up in its fixed order, the main loop, and shutdown.
#include "app/frame_driver.h"
#include "app/game.h"
#include "app/game_texts.h"
#include "app/menus.h"
#include "app/random.h"
#include "app/state_dump.h"
#include "editor/stage_editor.h"
#include "enemy/enemy_table.h"
#include "gfx/display.h"
#include "gfx/hud.h"
#include "platform/win32/gdi.h"
#include "platform/shell/run.h"
#include "player/player_record.h"
#include "sound/music.h"
#include "sound/sound_effects.h"
#include "stage/stage_map.h"

signed char GameMode = ModeTitle;
HWND GameWindow;
uint32_t FramesOfPlay;
uint32_t ClosingScreenFrames;

HPEN BlackPen;
HBRUSH RedBrush;
HBRUSH WhiteBrush;

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (GameMode == ModeEditor && message != WM_DESTROY) return StageEditorMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) RunPauseMenu();
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int WinMain(HINSTANCE instance, HINSTANCE, char*, int showCommand) {
  // The two worlds' characters and enemies live as long as the main loop.
  PlayerRecord playerA{}, playerB{};
  EnemyTable enemiesA{}, enemiesB{};
  SetDumpWorlds(&playerA, &playerB, &enemiesA, &enemiesB);
  SetPlayTestWorlds(&playerA, &playerB, &enemiesA, &enemiesB);
  // An end asked for from outside is captured where the game stands then.
  SetQuitObserver(CaptureFinalState);
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "Generic Game SDK Window";
  RegisterClassA(&wc);
  GameWindow = CreateWindowExA(WS_EX_TOPMOST, "Generic Game SDK Window", "Direct X", WS_POPUP | WS_VISIBLE,
                               CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
  // A start that fails ends with status 1, so that a script or a launcher
  // can tell it from a game played to its end.
  if (!GameWindow) {
    ForgetDumpWorlds();
    return 1;
  }
  ShowWindow(GameWindow, showCommand);
  UpdateWindow(GameWindow);
  SetFocus(GameWindow);
  ShowCursor(0);

  CreateDisplay(GameWindow);
  CreateMusicObjects(GameWindow);
  CreateSoundObjects(GameWindow);
  const int bitmapsLoaded = LoadAllBitmaps();
  LoadAllSounds();
  LoadGameMusic();
  if (!bitmapsLoaded) {
    // Only the display is released; sound and music go with the process.
    MessageBoxA(GameWindow, GameText(TextBitmapError), GameText(TextErrorCaption), MB_OK);
    CaptureFinalState();
    ForgetDumpWorlds();
    ReleaseDisplay();
    return 1;
  }

  BlackPen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  RedBrush = CreateSolidBrush(RGB(255, 0, 0));
  WhiteBrush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  timeBeginPeriod(1);
  // Seeded from its own first value, so every run draws the same numbers.
  SeedRandomAsAtStart();
  // --edit: the stage editor stands where the title would.
  if (CurrentRunOptions().edit) {
    GameMode = ModeEditor;
    if (!OpenStageEditor(GameWindow, false)) {
      CaptureFinalState();
      ForgetDumpWorlds();
      return 1;
    }
  }

  MSG msg{};
  while (true) {
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!GetMessageA(&msg, nullptr, 0, 0)) break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      continue;
    }
    WatchPlayTest();
    if (GameMode == ModeWorldA) {
      RunFrame(&playerA, &playerB, &enemiesA, &enemiesB, &WorldMapA, &WorldMapB);
    } else if (GameMode == ModeWorldB) {
      RunFrame(&playerB, &playerA, &enemiesB, &enemiesA, &WorldMapB, &WorldMapA);
    } else if (GameMode == ModeEditor) {
      RunStageEditorFrame();
    } else if (GameMode == ModeTitle) {
      if (!RunTitle(GameWindow, &playerA, &playerB, &enemiesA, &enemiesB, &WorldMapA, &WorldMapB)) {
        CaptureFinalState();
        ForgetDumpWorlds();
        return 1;
      }
    }
  }

  // However the game ends (a play-test's too), the editor's changes reach
  // its autosave.
  CloseStageEditor();
  CaptureFinalState();
  ForgetDumpWorlds();
  timeEndPeriod(1);
  ReleaseMusicObjects();
  ReleaseSoundObjects();
  CoUninitialize();
  ReleaseDisplay();
  FreeStageMaps(&WorldMapA, &WorldMapB);
  DeleteObject(BlackPen);
  DeleteObject(RedBrush);
  return static_cast<int>(msg.wParam);
}
