// Writes 8-bit uncompressed BMP files with the shared palette.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas.h"

std::vector<uint8_t> EncodeBmp(const Canvas& picture);
