// Writing the game folder: files are replaced only when their bytes change,
// so a rebuild that changes nothing leaves the folder untouched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes `bytes` to `root`/`name` (name uses '/'), making folders as needed.
// Exits with a message when the file cannot be written.
void WriteOutput(const std::string& root, const std::string& name, const std::vector<uint8_t>& bytes);
