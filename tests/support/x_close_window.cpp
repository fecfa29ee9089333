// Asks a window to close as a window manager's close button does: a
// WM_DELETE_WINDOW message to the first window of the given name.
//   twinworlds_xclose NAME
#include <cstdio>

#include "support/x_find_window.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const Window window = FindWindowNamed(display, DefaultRootWindow(display), argv[1]);
  if (!window) {
    std::fprintf(stderr, "no window named %s\n", argv[1]);
    return 1;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XCloseDisplay(display);
  return 0;
}
