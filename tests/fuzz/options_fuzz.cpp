// The command line: the input's NUL-separated pieces are the arguments.
#include <string>
#include <vector>

#include "platform/shell/run.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args{"twinworlds"};
  std::string current;
  for (size_t i = 0; i < size && args.size() < 64; i++) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(current);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  RunOptions options;
  std::string error;
  if (!ParseRunOptions(static_cast<int>(args.size()), argv.data(), &options, &error) &&
      (error.empty() || error.find('\n') != std::string::npos))
    std::abort();
  return 0;
}
