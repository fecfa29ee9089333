// Notices a game window that the X window system destroys under the game
// (xdotool windowclose, a crashed window manager), so that the game ends
// through its normal shutdown instead of in Xlib's error handler.
#pragma once

#include <SDL.h>

// Starts watching the window when it is an X11 one.
void WatchX11Window(SDL_Window* window);
// True once the window is gone: nothing more should be drawn in it.
bool X11WindowGone();
// Looks at a window-system event; true when it says the window is gone.
bool X11WindowDestroyedBy(const SDL_Event& e);
// After the window is destroyed: the errors about it are taken while the
// watch still holds them.
void SettleX11Window();
