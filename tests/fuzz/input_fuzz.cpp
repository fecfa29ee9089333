// The input-file parser on any text.
#include <string>
#include <vector>

#include "platform/input/input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<InputLine> lines;
  std::string error;
  if (ParseInputText(std::string(reinterpret_cast<const char*>(data), size), &lines, &error)) {
    for (size_t i = 1; i < lines.size(); i++)
      if (lines[i].flip <= lines[i - 1].flip) std::abort();
  } else if (error.empty() || error.find('\n') != std::string::npos) {
    std::abort();  // a refusal is one line naming what is wrong
  }
  return 0;
}
