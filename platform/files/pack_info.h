// SPDX-License-Identifier: MIT
// pack.txt: what a pack says of itself. UTF-8 text of `key = value` lines,
// as the settings file is; a line whose first character is # is a comment.
// The keys are name, author, licence (or license) and description, each
// also per language as name[ja], name[en]; other keys are passed over.
// Read from bytes, so that a pack carried in a link reads the same as one
// in a folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

// pack.txt is a few lines: anything larger than this is not one.
constexpr size_t LargestPackInfo = 64 << 10;
constexpr size_t LongestPackInfoLine = 1024;

struct PackInfo {
  // "name", "name[ja]", "author" ... -> the value as written (UTF-8).
  std::map<std::string, std::string> values;
};

// Null when the bytes are a pack.txt (unknown keys dropped, a byte order
// mark allowed); otherwise why not ("line 3: is not UTF-8 text", "holds a
// NUL byte", "is larger than 64 KiB", "line 7: is longer than 1024 bytes",
// "line 2: is not 'key = value'").
bool ParsePackInfo(const uint8_t* bytes, size_t size, PackInfo* out, std::string* why);
// A key's value in a language ("ja", "en"): key[language], else the plain
// key; "" when neither is given.
std::string PackInfoText(const PackInfo& info, const std::string& key, const std::string& language);
// True when the bytes are UTF-8 throughout (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool IsUtf8(const uint8_t* bytes, size_t size);
