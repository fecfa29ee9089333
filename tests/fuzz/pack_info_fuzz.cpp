// SPDX-License-Identifier: MIT
// pack.txt on any bytes: read or refused in one line, and what is read is
// UTF-8 of one line, under a key the reader knows.
#include <cstdlib>
#include <string>

#include "platform/files/pack_info.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PackInfo info;
  std::string why;
  if (!ParsePackInfo(data, size, &info, &why)) {
    if (why.empty() || why.find('\n') != std::string::npos || !info.values.empty()) std::abort();
    return 0;
  }
  for (const auto& [key, value] : info.values) {
    const std::string base = key.substr(0, key.find('['));
    if (base != "name" && base != "author" && base != "licence" && base != "description") std::abort();
    if (value.find('\n') != std::string::npos || value.find('\0') != std::string::npos) std::abort();
    if (!IsUtf8(reinterpret_cast<const uint8_t*>(value.data()), value.size())) std::abort();
  }
  PackInfoText(info, "name", "ja");
  return 0;
}
