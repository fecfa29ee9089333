// Files the run leaves behind are written whole or not at all.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/runtime.h"

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
