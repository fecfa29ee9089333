// One file of the game folder written, unless it already holds those bytes.
#include "output_files.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

void WriteOutput(const std::string& root, const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::filesystem::path path = std::filesystem::path(root) / name;
  std::error_code ec;
  std::filesystem::create_directories(path.parent_path(), ec);
  {
    std::ifstream old(path, std::ios::binary);
    if (old) {
      const std::vector<uint8_t> had((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
      if (had == bytes) return;
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
    std::exit(1);
  }
}
