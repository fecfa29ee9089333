// The game window, its message queue, message boxes and data file names.
#include <dirent.h>
#include <strings.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

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
// The game polls the clock in a tight loop while it waits for its next
// frame; a poll that finds the same millisecond again gives the core away.
DWORD timeGetTime() {
  static uint32_t lastTicks = 0;
  if (!ActiveBackend) return 0;
  uint32_t now = ActiveBackend->ticks();
  if (now == lastTicks && ActiveBackend->delay) {
    ActiveBackend->delay(1);
    now = ActiveBackend->ticks();
  }
  lastTicks = now;
  return now;
}

namespace {

// Finds each part of a relative path in its folder, ignoring case.
std::string ResolveIgnoringCase(const std::string& path) {
  std::string resolved;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(start, slash - start);
    const std::string folder = resolved.empty() ? "." : resolved;
    std::string found = part;
    if (!part.empty() && part != "." && part != "..") {
      if (DIR* d = opendir(folder.c_str())) {
        while (dirent* e = readdir(d)) {
          if (strcasecmp(e->d_name, part.c_str()) == 0) {
            found = e->d_name;
            if (found == part) break;
          }
        }
        closedir(d);
      }
    }
    resolved = resolved.empty() && start == 0 ? found : resolved + "/" + found;
    start = slash + 1;
  }
  return resolved;
}

}  // namespace

namespace {

std::string SystemPath(const char* name) {
  std::string path(name ? name : "");
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace

std::string DataFilePath(const char* name) {
  const std::string path = SystemPath(name);
  if (path.empty() || path[0] == '/' || access(path.c_str(), F_OK) == 0) return path;
  // Found whatever its case: named as it is on disk.
  const std::string resolved = ResolveIgnoringCase(path);
  return access(resolved.c_str(), F_OK) == 0 ? resolved : path;
}

FILE* OpenDataFile(const char* name, const char* mode) {
  if (!name) return nullptr;
  const std::string path = SystemPath(name);
  FILE* f = std::fopen(path.c_str(), mode);
  if (f || errno != ENOENT || path.empty() || path[0] == '/') return f;
  const std::string resolved = ResolveIgnoringCase(path);
  return resolved == path ? nullptr : std::fopen(resolved.c_str(), mode);
}
