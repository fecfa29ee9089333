// The game window's message queue, as win32/'s own files post to it, and
// the end asked for from outside. The game never includes this.
#pragma once

#include <cstdint>

#include "platform/win32/win32.h"

// The window whose queue it is: messages are posted to it.
void SetQueueWindow(HWND window);
// Posts a message to the game window's queue (dropped when it is full).
void PostWindowMessage(UINT message, WPARAM wParam, LPARAM lParam);
// True while such a message waits in the queue.
bool WindowMessageQueued(UINT message, WPARAM wParam);
// The window closed, --frames reached, SIGINT or SIGTERM: the run's end is
// taken (state, picture) and the window's destruction queued behind what
// is already posted. Never lost: the queue holds the request apart from the
// messages. Said once; later calls do nothing.
void RequestQuitFromOutside();
