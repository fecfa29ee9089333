// The desktop icon: the swordsman standing, cut from the game's own
// character sheet, as square PNGs with a see-through background.
#pragma once

#include <string>

#include "canvas.h"

// Writes SIZE/twinworlds.png under `folder` for each of 32, 48, 64, 128 and
// 256 pixels. Returns false when a file cannot be written.
bool WriteIcons(const std::string& folder, const Canvas& charSheet);
