// Trimming and splitting of settings values, bindings and folder lists.
#include "platform/files/text_fields.h"

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
