// Stage sources: a map drawn in characters, with a legend giving each
// character's cell value, turned into the game's comma-separated stage file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Exits naming the line when the source is faulty: a row of another length,
// a character without a legend entry, a legend character given twice.
std::vector<uint8_t> BuildStageFile(const std::string& sourcePath);
