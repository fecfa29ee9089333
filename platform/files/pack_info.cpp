// SPDX-License-Identifier: MIT
// The pack.txt reader.
#include "platform/files/pack_info.h"

#include <cstring>

#include "platform/files/text_fields.h"

namespace {

const char* const Keys[] = {"name", "author", "licence", "description"};

// "name" or "name[ja]": the key alone, and the language ("" for none);
// false for a key the reader does not know or a language not of letters.
bool KnownKey(const std::string& key, std::string* base, std::string* language) {
  const size_t open = key.find('[');
  *base = key.substr(0, open);
  language->clear();
  if (*base == "license") *base = "licence";
  bool known = false;
  for (const char* k : Keys) known = known || *base == k;
  if (!known) return false;
  if (open == std::string::npos) return true;
  if (key.back() != ']' || key.size() - open < 3 || key.size() - open > 10) return false;
  *language = key.substr(open + 1, key.size() - open - 2);
  for (char& c : *language) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (!((c >= 'a' && c <= 'z') || c == '-')) return false;
  }
  return true;
}

}  // namespace

bool IsUtf8(const uint8_t* p, size_t size) {
  size_t i = 0;
  while (i < size) {
    const uint8_t b = p[i];
    if (b < 0x80) {
      i++;
      continue;
    }
    int extra;
    uint32_t c;
    if (b >= 0xC2 && b <= 0xDF) extra = 1, c = b & 0x1F;
    else if (b >= 0xE0 && b <= 0xEF) extra = 2, c = b & 0x0F;
    else if (b >= 0xF0 && b <= 0xF4) extra = 3, c = b & 0x07;
    else return false;
    if (size - i <= static_cast<size_t>(extra)) return false;
    for (int k = 1; k <= extra; k++) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
      c = c << 6 | (p[i + k] & 0x3F);
    }
    if ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c < 0xE000))
      return false;
    i += extra + 1;
  }
  return true;
}

bool ParsePackInfo(const uint8_t* bytes, size_t size, PackInfo* out, std::string* why) {
  out->values.clear();
  if (size > LargestPackInfo) {
    *why = "is larger than 64 KiB";
    return false;
  }
  if (size > 0 && std::memchr(bytes, 0, size)) {
    *why = "holds a NUL byte";
    return false;
  }
  size_t at = size >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF ? 3 : 0;
  PackInfo read;
  for (int number = 1; at < size; number++) {
    const uint8_t* end = static_cast<const uint8_t*>(std::memchr(bytes + at, '\n', size - at));
    const size_t length = (end ? static_cast<size_t>(end - bytes) : size) - at;
    const std::string where = "line " + std::to_string(number) + ": ";
    if (length > LongestPackInfoLine) {
      *why = where + "is longer than 1024 bytes";
      return false;
    }
    if (!IsUtf8(bytes + at, length)) {
      *why = where + "is not UTF-8 text";
      return false;
    }
    const std::string line = Trim(std::string(reinterpret_cast<const char*>(bytes + at), length));
    at += length + 1;
    for (char c : line)
      if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
        *why = where + "holds a control character";
        return false;
      }
    if (line.empty() || line[0] == '#') continue;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      *why = where + "is not 'key = value'";
      return false;
    }
    const std::string key = Trim(line.substr(0, equals));
    std::string base, language;
    if (!KnownKey(key, &base, &language)) continue;
    read.values[language.empty() ? base : base + "[" + language + "]"] = Trim(line.substr(equals + 1));
  }
  *out = read;
  return true;
}

std::string PackInfoText(const PackInfo& info, const std::string& key, const std::string& language) {
  if (auto own = info.values.find(key + "[" + language + "]"); own != info.values.end() && !own->second.empty())
    return own->second;
  auto plain = info.values.find(key);
  return plain == info.values.end() ? "" : plain->second;
}
