// The one explosion animation; its counter belongs to the caller.
#pragma once

#include <cstdint>

#include "platform/win32/ddraw.h"

// Draws one frame at screen (x, y) and advances the counter; 1 on the call
// that completes the animation (the counter is then back at 0).
int32_t DrawExplosion(DDSurface* dest, int32_t x, int32_t y, int32_t* counter, DWORD flags);
