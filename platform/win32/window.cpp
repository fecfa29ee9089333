// The game window: its class, its opening with the backend, its
// procedure, and message boxes. Its queue is message_queue.cpp's.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/picture/text_encoding.h"
#include "platform/shell/run.h"
#include "platform/win32/key_sample.h"
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

}  // namespace

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
  if (!backend->open(WindowRequest{options.window, options.scale, !options.scaleGiven && !options.headless})) return nullptr;
  ActiveBackend = backend;
  TheWindow = new Window{RegisteredClass.lpfnWndProc};
  SetQueueWindow(TheWindow);
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

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg || !TheWindow || msg->message == 0) return 0;
  const LRESULT result = TheWindow->proc(TheWindow, msg->message, msg->wParam, msg->lParam);
  // Escape's pause menu returns when the game resumes: sound held since the
  // window lost the focus plays again, unless another pause is on its way.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE && !WindowMessageQueued(WM_KEYDOWN, VK_ESCAPE) &&
      ActiveBackend && ActiveBackend->releaseHeldAudio)
    ActiveBackend->releaseHeldAudio();
  return result;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_CLOSE) DestroyWindow(window);
  return 0;
}

int MessageBoxA(HWND window, const char* text, const char* caption, UINT) {
  const std::string utf8Caption = Cp932ToUtf8(caption);
  std::string utf8Text = Cp932ToUtf8(text);
  // An error box names the file or folder that could not be loaded.
  if (const std::string problem = DataProblemLine(); !problem.empty()) utf8Text += "\n" + problem;
  std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
  // A recorded or scripted run never stops to wait for a click.
  if (window && ActiveBackend && CurrentRunOptions().inputFile.empty() &&
      ActiveBackend->messageBox(utf8Caption.c_str(), utf8Text.c_str(), IsQuitRequested))
    RequestQuitFromOutside();
  return IDOK;
}

