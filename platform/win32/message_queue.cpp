// The game window's message queue: what is posted to it, the end asked for
// from outside, and the messages the game's loops take from it.
#include "platform/backend.h"
#include "platform/shell/run.h"
#include "platform/win32/window_queue.h"

namespace {

HWND QueueWindow = nullptr;

// The queue: a ring as large as the one Windows gives a thread (10,000
// posted messages). Keys pressed while a screen runs a loop of its own wait
// here and are handled once the main loop runs again; past the capacity a key
// is dropped. The end of the game is never queued and so never dropped: the
// window's destruction and WM_QUIT are flags that come out, in that order,
// once everything posted before them has been handled.
constexpr int QueueSize = 10000;
MSG Queue[QueueSize];
int QueueHead = 0, QueueCount = 0;
int QueueBeforeDestroy = 0;  // messages still ahead of the pending WM_DESTROY
bool DestroyPending = false;
bool QuitPosted = false;
int QuitCode = 0;
bool QuitRequested = false;

// The window system's events, and a signal received since: either may end
// the run from outside.
void PumpEvents() {
  if (ActiveBackend && ActiveBackend->pumpEvents()) RequestQuitFromOutside();
  if (EndSignalReceived()) RequestQuitFromOutside();
}

}  // namespace

void SetQueueWindow(HWND window) { QueueWindow = window; }

void PostWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (QueueCount == QueueSize) return;
  MSG& m = Queue[(QueueHead + QueueCount) % QueueSize];
  m = MSG{QueueWindow, message, wParam, lParam, 0, {0, 0}};
  QueueCount++;
}

bool WindowMessageQueued(UINT message, WPARAM wParam) {
  for (int i = 0; i < QueueCount; i++) {
    const MSG& m = Queue[(QueueHead + i) % QueueSize];
    if (m.message == message && m.wParam == wParam) return true;
  }
  return false;
}

void RequestQuitFromOutside() {
  if (QuitRequested) return;
  QuitRequested = true;
  OnQuitRequested();
  DestroyPending = true;
  QueueBeforeDestroy = QueueCount;
}

bool IsQuitRequested() {
  if (EndSignalReceived()) RequestQuitFromOutside();
  return QuitRequested || QuitPosted;
}

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
  PumpEvents();
  if (DestroyPending && QueueBeforeDestroy == 0) {
    *msg = MSG{QueueWindow, WM_DESTROY, 0, 0, 0, {0, 0}};
    if (removeFlags & PM_REMOVE) DestroyPending = false;
    return 1;
  }
  if (QueueCount > 0) {
    *msg = Queue[QueueHead];
    if (removeFlags & PM_REMOVE) {
      QueueHead = (QueueHead + 1) % QueueSize;
      QueueCount--;
      if (QueueBeforeDestroy > 0) QueueBeforeDestroy--;
    }
    return 1;
  }
  if (QuitPosted) {
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(QuitCode), 0, 0, {0, 0}};
    return 1;
  }
  return 0;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  if (!PeekMessageA(msg, window, filterMin, filterMax, PM_REMOVE)) {
    // Nothing to wait for in this design: hand back an empty message.
    *msg = MSG{};
    return 1;
  }
  return msg->message == WM_QUIT ? 0 : 1;
}

BOOL TranslateMessage(const MSG*) { return 0; }

void PostQuitMessage(int exitCode) {
  QuitPosted = true;
  QuitCode = exitCode;
}

