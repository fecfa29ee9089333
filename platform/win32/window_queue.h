// What win32/'s own files share about the game window: its message queue,
// the end asked for from outside, and the key sample taken at each flip.
// The game never includes this.
#pragma once

#include <cstdint>

#include "platform/win32/win32.h"

// Posts a message to the game window's queue (dropped when it is full).
void PostWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
// The window closed, --frames reached, SIGINT or SIGTERM: the run's end is
// taken (state, picture) and the window's destruction queued behind what
// is already posted. Never lost: the queue holds the request apart from the
// messages. Said once; later calls do nothing.
void RequestQuitFromOutside();
// Samples the keys of this flip and posts WM_KEYDOWN for each key that went
// down; GetAsyncKeyState answers from it until the next.
void TakeKeySample(uint32_t flip);
// All keys up, as at the start of a run.
void ForgetKeys();
