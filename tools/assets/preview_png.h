// PNG copies of the bitmaps, for looking at them with ordinary viewers.
#pragma once

#include <string>

#include "canvas.h"

// The see-through index shows as a checkerboard so that it cannot pass for a
// colour of the picture. Returns false when the file cannot be written.
bool WritePreviewPng(const std::string& path, const Canvas& picture, int scale);
