// The fuzzer's input as a file the parsers can open by name: a file in
// memory, reached through /proc, rewritten for every input.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

inline std::string FuzzFile(const uint8_t* data, size_t size) {
  static int fd = memfd_create("twinworlds-fuzz", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(fd);
  if (ftruncate(fd, 0) != 0) std::abort();
  for (size_t done = 0; done < size;) {
    const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }
  return path;
}
