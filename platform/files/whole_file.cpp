// Whole files: read to their end within a size, written through a rename.
#include "platform/files/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

const char* TooLarge(size_t largest) {
  static std::string line;
  line = "is larger than " + (largest >= (1u << 20) ? std::to_string(largest >> 20) + " MiB"
                                                     : std::to_string(largest) + " bytes");
  return line.c_str();
}

}  // namespace

const char* ReadWholeFile(FILE* file, size_t largest, std::vector<uint8_t>* out) {
  if (!file) return "cannot be read";
  out->clear();
  struct stat st{};
  const char* fault = nullptr;
  if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) fault = "is not a regular file";
  else if (static_cast<uint64_t>(st.st_size) > largest) fault = TooLarge(largest);
  uint8_t buffer[65536];
  size_t n = 0;
  while (!fault && (n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    out->insert(out->end(), buffer, buffer + n);
    if (out->size() > largest) fault = TooLarge(largest);
  }
  if (!fault && std::ferror(file)) fault = "cannot be read";
  std::fclose(file);
  if (fault) out->clear();
  return fault;
}

const char* ReadWholeFile(const std::string& path, size_t largest, std::vector<uint8_t>* out) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return "cannot be read";
  FILE* file = fdopen(fd, "rb");
  if (!file) {
    close(fd);
    return "cannot be read";
  }
  return ReadWholeFile(file, largest, out);
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  // Beside the target, so that the rename stays on one file system.
  const std::string temporary = path + ".tmp" + std::to_string(getpid());
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) ok = false;
    else done += static_cast<size_t>(n);
  }
  ok = close(fd) == 0 && ok;
  ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) unlink(temporary.c_str());
  return ok;
}
