// The settings file parser on any text: it never fails, and each problem is
// one line naming its line number.
#include <string>
#include <vector>

#include "platform/settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GameSettings settings;
  std::vector<std::string> problems;
  ParseSettingsText(std::string(reinterpret_cast<const char*>(data), size), &settings, &problems);
  for (const std::string& p : problems)
    if (p.rfind("line ", 0) != 0 || p.find('\n') != std::string::npos) std::abort();
  if (settings.scale < 0 || settings.scale > 16 || settings.musicVolume < 0 || settings.musicVolume > 100 ||
      settings.effectsVolume < 0 || settings.effectsVolume > 100)
    std::abort();
  return 0;
}
