// The per-user folders: config and pictures.
#include "platform/files/user_folders.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/files/whole_file.h"

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

std::string DataHomeFolder() {
  const std::string data = EnvironmentValue("XDG_DATA_HOME");
  if (!data.empty() && data[0] == '/') return data + "/twinworlds";
  if (const std::string home = EnvironmentValue("HOME"); !home.empty()) return home + "/.local/share/twinworlds";
  return "";
}

std::string PicturesFolderFromUserDirs(const std::string& text, const std::string& home) {
  std::istringstream lines(text);
  std::string line, found;
  while (std::getline(lines, line)) {
    size_t at = line.find_first_not_of(" \t");
    const std::string name = "XDG_PICTURES_DIR=\"";
    if (at == std::string::npos || line.compare(at, name.size(), name) != 0) continue;
    // The value between the quotes, with \" \\ and \$ as the shell reads them.
    std::string value;
    bool closed = false;
    for (at += name.size(); at < line.size() && !closed; at++) {
      if (line[at] == '\\' && at + 1 < line.size()) value += line[++at];
      else if (line[at] == '"') closed = true;
      else value += line[at];
    }
    if (!closed) continue;
    if (value.rfind("$HOME", 0) == 0 && (value.size() == 5 || value[5] == '/')) {
      if (home.empty()) continue;
      value = home + value.substr(5);
    }
    // Only absolute paths, and the last line that says so.
    if (!value.empty() && value[0] == '/') found = value;
  }
  while (found.size() > 1 && found.back() == '/') found.pop_back();
  return found;
}

std::string PicturesFolder() {
  if (const std::string p = EnvironmentValue("XDG_PICTURES_DIR"); !p.empty()) return p;
  const std::string home = EnvironmentValue("HOME");
  const std::string config = EnvironmentValue("XDG_CONFIG_HOME");
  const std::string userDirs = !config.empty() && config[0] == '/' ? config + "/user-dirs.dirs"
                               : home.empty()                      ? ""
                                                                   : home + "/.config/user-dirs.dirs";
  std::vector<uint8_t> bytes;
  if (!userDirs.empty() && !ReadWholeFile(userDirs, 1 << 16, &bytes)) {
    const std::string named = PicturesFolderFromUserDirs(std::string(bytes.begin(), bytes.end()), home);
    if (!named.empty()) return named;
  }
  return (home.empty() ? std::string(".") : home) + "/Pictures";
}

bool MakeFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}
