// The watch on the X window: its DestroyNotify, and errors about it dropped.
#include "platform/backends/sdl/x11_watch.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)

namespace {

Display* TheDisplay = nullptr;
::Window WindowId = 0;
bool Gone = false;
int (*PreviousHandler)(Display*, XErrorEvent*) = nullptr;

// SDL keeps talking to the window after it is gone; Xlib's default handler
// would end the process on the first error about it.
int OnXError(Display* display, XErrorEvent* error) {
  if (Gone || (WindowId && error->resourceid == WindowId)) {
    Gone = true;
    return 0;
  }
  return PreviousHandler ? PreviousHandler(display, error) : 0;
}

}  // namespace

void WatchX11Window(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  Gone = false;
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  TheDisplay = info.info.x11.display;
  WindowId = info.info.x11.window;
  PreviousHandler = XSetErrorHandler(OnXError);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

bool X11WindowGone() { return Gone; }

bool X11WindowDestroyedBy(const SDL_Event& e) {
  if (e.type != SDL_SYSWMEVENT) return false;
  const SDL_SysWMmsg* m = e.syswm.msg;
  if (m && m->subsystem == SDL_SYSWM_X11 && m->msg.x11.event.type == DestroyNotify &&
      m->msg.x11.event.xdestroywindow.window == WindowId)
    Gone = true;
  return Gone;
}

void SettleX11Window() {
  // SDL gives Xlib's own handler back before it closes the display, and the
  // display's last errors would reach it there.
  if (TheDisplay && Gone) XSync(TheDisplay, False);
  TheDisplay = nullptr;
  WindowId = 0;
}

#else

void WatchX11Window(SDL_Window*) {}
void SettleX11Window() {}
bool X11WindowGone() { return false; }
bool X11WindowDestroyedBy(const SDL_Event&) { return false; }

#endif
