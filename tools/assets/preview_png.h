// PNG copies of the bitmaps, for looking at them with ordinary viewers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

// The see-through index shows as a checkerboard so that it cannot pass for a
// colour of the picture. Returns false when the file cannot be written.
bool WritePreviewPng(const std::string& path, const Canvas& picture, int scale);

// Packed 8-bit RGB or RGBA rows, top first.
bool WritePngPixels(const std::string& path, int width, int height, bool alpha, const uint8_t* pixels);
// The same as the PNG file's bytes.
std::vector<uint8_t> EncodePngPixels(int width, int height, bool alpha, const uint8_t* pixels);
