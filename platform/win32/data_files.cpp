// Data files named the game's way, found in the data folder whatever
// their case.
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/files/data_folder.h"
#include "platform/win32/win32.h"

namespace {

std::string SlashedName(const char* name) {
  std::string path(name ? name : "");
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string InDataFolder(const std::string& relative) {
  const std::string& folder = DataFolder();
  if (folder.empty() || relative.empty() || relative[0] == '/') return relative;
  return folder.back() == '/' ? folder + relative : folder + "/" + relative;
}

}  // namespace

std::string DataFilePath(const char* name) {
  const std::string relative = SlashedName(name);
  const std::string path = InDataFolder(relative);
  if (relative.empty() || relative[0] == '/' || access(path.c_str(), F_OK) == 0) return path;
  // Found whatever its case: named as it is on disk.
  const std::string resolved = InDataFolder(ResolveIgnoringCase(DataFolder(), relative));
  return access(resolved.c_str(), F_OK) == 0 ? resolved : path;
}

FILE* OpenDataFile(const char* name, const char* mode) {
  if (!name) return nullptr;
  const std::string relative = SlashedName(name);
  const std::string path = InDataFolder(relative);
  FILE* f = std::fopen(path.c_str(), mode);
  if (f || errno != ENOENT || relative.empty() || relative[0] == '/') return f;
  const std::string resolved = InDataFolder(ResolveIgnoringCase(DataFolder(), relative));
  return resolved == path ? nullptr : std::fopen(resolved.c_str(), mode);
}
