// The game window and its message queue, and message boxes.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/picture/text_encoding.h"
#include "platform/shell/run.h"
#include "platform/win32/window_queue.h"

const Backend* ActiveBackend = nullptr;

const char* const IDI_APPLICATION = "IDI_APPLICATION";
const char* const IDC_ARROW = "IDC_ARROW";

struct Window {
  WNDPROC proc;
};

// What GetModuleHandle hands out: the program has one instance, and it
// holds nothing.
struct Instance {};

namespace {

Instance TheInstance;
WNDCLASSA RegisteredClass;
bool ClassRegistered = false;
Window* TheWindow = nullptr;

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

void PostWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (QueueCount == QueueSize) return;
  MSG& m = Queue[(QueueHead + QueueCount) % QueueSize];
  m = MSG{TheWindow, message, wParam, lParam, 0, {0, 0}};
  QueueCount++;
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

HINSTANCE GetModuleHandleA(const char*) { return &TheInstance; }
HICON LoadIconA(HINSTANCE, const char* name) { return const_cast<char*>(name); }
HCURSOR LoadCursorA(HINSTANCE, const char* name) { return const_cast<char*>(name); }

WORD RegisterClassA(const WNDCLASSA* wc) {
  if (!wc || !wc->lpfnWndProc) return 0;
  RegisteredClass = *wc;
  ClassRegistered = true;
  return 1;
}

HWND CreateWindowExA(DWORD, const char* className, const char*, DWORD, int, int, int, int, HWND, void*,
                     HINSTANCE, void*) {
  if (TheWindow || !ClassRegistered || !className || std::strcmp(className, RegisteredClass.lpszClassName) != 0)
    return nullptr;
  // The window is titled by the backend ("twinworlds"): the game's own
  // title was never seen on its full-screen popup.
  const RunOptions& options = CurrentRunOptions();
  const Backend* backend = ChooseBackend(options.headless);
  if (!backend->open(WindowRequest{options.window, options.scale})) return nullptr;
  ActiveBackend = backend;
  TheWindow = new Window{RegisteredClass.lpfnWndProc};
  ForgetKeys();
  TakeKeySample(0);
  return TheWindow;
}

BOOL DestroyWindow(HWND window) {
  if (!window || window != TheWindow) return 0;
  window->proc(window, WM_DESTROY, 0, 0);
  return 1;
}

BOOL ShowWindow(HWND, int) { return 1; }
BOOL UpdateWindow(HWND) { return 1; }
HWND SetFocus(HWND window) { return window; }
int ShowCursor(BOOL show) { return show ? 0 : -1; }

BOOL PeekMessageA(MSG* msg, HWND, UINT, UINT, UINT removeFlags) {
  PumpEvents();
  if (DestroyPending && QueueBeforeDestroy == 0) {
    *msg = MSG{TheWindow, WM_DESTROY, 0, 0, 0, {0, 0}};
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

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg || !TheWindow || msg->message == 0) return 0;
  return TheWindow->proc(TheWindow, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

void PostQuitMessage(int exitCode) {
  QuitPosted = true;
  QuitCode = exitCode;
}

int MessageBoxA(HWND window, const char* text, const char* caption, UINT) {
  const std::string utf8Caption = Cp932ToUtf8(caption);
  const std::string utf8Text = Cp932ToUtf8(text);
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  // A recorded or scripted run never stops to wait for a click.
  if (window && ActiveBackend && CurrentRunOptions().inputFile.empty() &&
      ActiveBackend->messageBox(utf8Caption.c_str(), utf8Text.c_str()))
    RequestQuitFromOutside();
  return IDOK;
}

