// The first window of a name under the virtual X server, for the tools that
// act on the game's window from outside.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>

inline Window FindWindowNamed(Display* display, Window window, const char* name) {
  char* title = nullptr;
  if (XFetchName(display, window, &title) && title) {
    const bool same = std::strcmp(title, name) == 0;
    XFree(title);
    if (same) return window;
  }
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned i = 0; i < count && !found; i++) found = FindWindowNamed(display, children[i], name);
    if (children) XFree(children);
  }
  return found;
}
