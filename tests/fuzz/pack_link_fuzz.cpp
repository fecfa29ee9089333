// SPDX-License-Identifier: MIT
// Pack links on any bytes, as the archive inflated and as the text of a
// link: read or refused in one line; what is read stays inside the pack
// (the game's stage files and pack.txt only, each once, a usable id) and
// reads the same once written again.
#include <cstdlib>
#include <string>

#include "platform/files/packs.h"
#include "platform/input/pack_link.h"

namespace {

void Check(bool read, const PackLink& link, const std::string& why) {
  if (!read) {
    if (why.empty() || why.find('\n') != std::string::npos) std::abort();
    return;
  }
  if (!PackNameFault(link.id).empty() || link.files.size() < 2) std::abort();
  for (size_t i = 0; i < link.files.size(); i++) {
    const std::string& path = link.files[i].path;
    if (!PackPathFault(path).empty() || (path != "pack.txt" && path.rfind("stage/", 0) != 0)) std::abort();
    for (size_t j = 0; j < i; j++)
      if (link.files[j].path == path) std::abort();
  }
  PackLink again;
  std::string whyAgain;
  if (!ReadPackLinkPayload(PackLinkPayload(link), &again, &whyAgain) || again.id != link.id ||
      again.run != link.run || again.files.size() != link.files.size())
    std::abort();
  PackLinkHash(link);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  PackLink link;
  std::string why;
  Check(ReadPackLinkPayload(bytes, &link, &why), link, why);
  PackLink fromText;
  why.clear();
  Check(PackLinkFromText("x#pack=" + bytes, &fromText, &why), fromText, why);
  return 0;
}
