// What the whole process shares: the game mode, the window, the pace counters.
#pragma once

#include <cstdint>

#include "platform/win32/win32.h"

// 3 title screen, 0 world A active, 1 world B active; 4 the stage editor
// (--edit), in place of the title.
constexpr signed char ModeWorldA = 0;
constexpr signed char ModeWorldB = 1;
constexpr signed char ModeTitle = 3;
constexpr signed char ModeEditor = 4;
extern signed char GameMode;

// Milliseconds between two frames of play or of the title screen.
constexpr DWORD FrameInterval = 30;

extern HWND GameWindow;
// Frames of play that passed the 30 ms gate, for the state dump.
extern uint32_t FramesOfPlay;
// The frames of play when the closing screen first showed; 0 while it has
// not. What --cleared writes: the sure sign that a run reached the end.
extern uint32_t ClosingScreenFrames;

int WinMain(HINSTANCE instance, HINSTANCE previous, char* commandLine, int showCommand);
LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// True while the key's top bit is set at the last sample.
inline bool KeyDown(int virtualKey) { return (GetAsyncKeyState(virtualKey) & 0x8000) != 0; }
