// The game's message box, drawn over the picture shown with the game's own
// font, for a backend to show.
#pragma once

#include <cstdint>
#include <string>

#include "platform/windows_types.h"

// Where the box's OK button is.
struct MessageBoxButton {
  int x, y, w, h;
};
// The box over the darkened picture shown, as 640 x 480 pixels (0xAARRGGBB).
// Each line of the text is a line of the box, centred.
void DrawMessageBox(const char* utf8Caption, const char* utf8Text, uint32_t* argb, MessageBoxButton* button);
// A line as the box and the notice draw it in `width` pixels: whole when it
// fits, else its start and its end with "…" between (a path keeps its
// first folders and its file name).
std::string FitTextToWidth(const char* utf8Text, int width);
// A short line in a dark strip at the foot of a 640 x 480 picture
// (0xAARRGGBB, `pitch` pixels a row): the window's own notices, never part
// of the game's picture.
void DrawNotice(const char* utf8Text, uint32_t* argb, int pitch);
