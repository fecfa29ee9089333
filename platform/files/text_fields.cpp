// Trimming and splitting of settings values, bindings and folder lists.
#include "platform/files/text_fields.h"

#include <cstdio>

std::string Trim(const std::string& text) {
  const size_t a = text.find_first_not_of(" \t\r");
  if (a == std::string::npos) return "";
  const size_t b = text.find_last_not_of(" \t\r");
  return text.substr(a, b - a + 1);
}

std::vector<std::string> SplitFields(const std::string& text, char separator) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t at = text.find(separator, start);
    if (at == std::string::npos) at = text.size();
    out.push_back(Trim(text.substr(start, at - start)));
    start = at + 1;
  }
  return out;
}

namespace {

// The length of the well-formed UTF-8 sequence at `at` of a printable
// character; 0 when there is none.
size_t PrintableSequence(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u; };
  const unsigned b = byte(at);
  if (b >= 0x20 && b < 0x7F) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // the second byte's range
  if (b >= 0xC2 && b <= 0xDF) length = 2;
  else if (b >= 0xE0 && b <= 0xEF) length = 3, low = b == 0xE0 ? 0xA0 : 0x80, high = b == 0xED ? 0x9F : 0xBF;
  else if (b >= 0xF0 && b <= 0xF4) length = 4, low = b == 0xF0 ? 0x90 : 0x80, high = b == 0xF4 ? 0x8F : 0xBF;
  if (length == 0 || byte(at + 1) < low || byte(at + 1) > high) return 0;
  for (size_t i = 2; i < length; i++)
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  // U+0080 to U+009F are controls too.
  if (b == 0xC2 && byte(at + 1) < 0xA0) return 0;
  return length;
}

}  // namespace

std::string PrintableText(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    if (const size_t n = PrintableSequence(text, i)) {
      out.append(text, i, n);
      i += n;
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[i]));
    out += escaped;
    i++;
  }
  return out;
}
