// The per-user folders: config and pictures.
#include "platform/files/user_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

std::string EnvironmentValue(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string ConfigFolder() {
  const std::string config = EnvironmentValue("XDG_CONFIG_HOME");
  if (!config.empty() && config[0] == '/') return config + "/twinworlds";
  if (const std::string home = EnvironmentValue("HOME"); !home.empty()) return home + "/.config/twinworlds";
  return "";
}

std::string PicturesFolder() {
  if (const std::string p = EnvironmentValue("XDG_PICTURES_DIR"); !p.empty()) return p;
  const std::string home = EnvironmentValue("HOME");
  return (home.empty() ? std::string(".") : home) + "/Pictures";
}

bool MakeFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}
