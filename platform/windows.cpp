// The game window, its message queue, message boxes and data file names.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/data_folder.h"
#include "platform/internal.h"

const char* const IDI_APPLICATION = "IDI_APPLICATION";
const char* const IDC_ARROW = "IDC_ARROW";

struct Window {
  WNDPROC proc;
};

struct Instance {
  int unused;
};

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
constexpr int kQueueSize = 10000;
MSG Queue[kQueueSize];
int QueueHead = 0, QueueCount = 0;
int QueueBeforeDestroy = 0;  // messages still ahead of the pending WM_DESTROY
bool DestroyPending = false;
bool QuitPosted = false;
int QuitCode = 0;
bool QuitRequested = false;

void PumpEvents() {
  if (ActiveBackend) ActiveBackend->pumpEvents();
  PollEndSignal();
}

}  // namespace

void PostWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (QueueCount == kQueueSize) return;
  MSG& m = Queue[(QueueHead + QueueCount) % kQueueSize];
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
  PollEndSignal();
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

HWND CreateWindowExA(DWORD, const char* className, const char* title, DWORD, int, int, int, int, HWND, void*,
                     HINSTANCE, void*) {
  if (TheWindow || !ClassRegistered || !className || std::strcmp(className, RegisteredClass.lpszClassName) != 0)
    return nullptr;
#ifdef TWINWORLDS_WEB
  const Backend* backend = CurrentRunOptions().headless ? &WebHeadlessBackend : &WebBackend;
#else
  const Backend* backend = CurrentRunOptions().headless ? &HeadlessBackend : &SdlBackend;
#endif
  if (!backend->open(CurrentRunOptions(), Cp932ToUtf8(title).c_str())) return nullptr;
  ActiveBackend = backend;
  TheWindow = new Window{RegisteredClass.lpfnWndProc};
  SampleKeys(0);
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
      QueueHead = (QueueHead + 1) % kQueueSize;
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
  if (window && ActiveBackend && CurrentRunOptions().inputFile.empty())
    ActiveBackend->messageBox(utf8Caption.c_str(), utf8Text.c_str());
  return IDOK;
}

UINT timeBeginPeriod(UINT) { return 0; }
UINT timeEndPeriod(UINT) { return 0; }
namespace {

// The game runs a frame once 30 ms have passed since its last one, and
// polls the clock in a tight loop until then. A poll that finds the same
// millisecond again sleeps until that frame is due: the last value read
// before a flip is when the frame that flipped began.
constexpr uint32_t kFramePaceMs = 30;
uint32_t LastTicksRead = 0;
uint32_t FrameStartTicks = 0;
uint32_t FlipsAtLastRead = 0;

}  // namespace

DWORD timeGetTime() {
  if (!ActiveBackend) return 0;
  uint32_t now = ActiveBackend->ticks();
  if (FlipCount() != FlipsAtLastRead) {
    FrameStartTicks = LastTicksRead;
    FlipsAtLastRead = FlipCount();
  } else if (now == LastTicksRead && ActiveBackend->delay) {
    const uint32_t left = FrameStartTicks + kFramePaceMs - now;
    ActiveBackend->delay(left >= 1 && left <= kFramePaceMs ? left : 1);
    now = ActiveBackend->ticks();
  }
  LastTicksRead = now;
  return now;
}

namespace {

std::string SlashedName(const char* name) {
  std::string path(name ? name : "");
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string InDataFolder(const std::string& relative) {
  const std::string& folder = DataFolder();
  if (folder.empty() || relative.empty() || relative[0] == '/') return relative;
  return folder.back() == '/' ? folder + relative : folder + "/" + relative;
}

}  // namespace

std::string DataFilePath(const char* name) {
  const std::string relative = SlashedName(name);
  const std::string path = InDataFolder(relative);
  if (relative.empty() || relative[0] == '/' || access(path.c_str(), F_OK) == 0) return path;
  // Found whatever its case: named as it is on disk.
  const std::string resolved = InDataFolder(ResolveIgnoringCase(DataFolder(), relative));
  return access(resolved.c_str(), F_OK) == 0 ? resolved : path;
}

FILE* OpenDataFile(const char* name, const char* mode) {
  if (!name) return nullptr;
  const std::string relative = SlashedName(name);
  const std::string path = InDataFolder(relative);
  FILE* f = std::fopen(path.c_str(), mode);
  if (f || errno != ENOENT || relative.empty() || relative[0] == '/') return f;
  const std::string resolved = InDataFolder(ResolveIgnoringCase(DataFolder(), relative));
  return resolved == path ? nullptr : std::fopen(resolved.c_str(), mode);
}
