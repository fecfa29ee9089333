// SPDX-License-Identifier: MIT
// The window's icon: the desktop icon the asset builder makes, found beside
// the executable as the build and an install lay it out.
#pragma once

#include <SDL.h>

// Gives the window the game's icon; without one found, the window keeps
// the window system's.
void SetGameIcon(SDL_Window* window);
