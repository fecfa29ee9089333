// The game's message box, drawn over the picture shown with the game's own
// font, for a backend to show.
#pragma once

#include <cstdint>

#include "platform/windows_types.h"

// Where the box's OK button is.
struct MessageBoxButton {
  int x, y, w, h;
};
// The box over the darkened picture shown, as 640 x 480 pixels (0xAARRGGBB).
void DrawMessageBox(const char* utf8Caption, const char* utf8Text, uint32_t* argb, MessageBoxButton* button);
