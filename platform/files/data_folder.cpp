// The search for the game's data folder, and names matched ignoring case.
#include "platform/files/data_folder.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "platform/files/text_fields.h"
#include "platform/files/user_folders.h"

namespace {

std::string Folder;
bool Missing = false;


bool IsFile(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The game's tile sheet is the mark of its data.
bool HoldsGameData(const std::string& folder) {
  return IsFile(Join(folder, ResolveIgnoringCase(folder, "image/stage1/back.BMP")));
}

}  // namespace

std::string ResolveIgnoringCase(const std::string& folder, const std::string& relative) {
  std::string resolved;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find('/', start);
    if (slash == std::string::npos) slash = relative.size();
    const std::string part = relative.substr(start, slash - start);
    const std::string inside = Join(folder, resolved);
    std::string found = part;
    if (!part.empty() && part != "." && part != "..") {
      if (DIR* d = opendir(inside.empty() ? "." : inside.c_str())) {
        while (dirent* e = readdir(d)) {
          if (strcasecmp(e->d_name, part.c_str()) == 0) {
            found = e->d_name;
            if (found == part) break;
          }
        }
        closedir(d);
      }
    }
    resolved = resolved.empty() && start == 0 ? found : resolved + "/" + found;
    start = slash + 1;
  }
  return resolved;
}

DataSearch FindDataFolder(const std::string& option, const std::string& executableFolder) {
  DataSearch s;
  auto take = [&](const std::string& folder) {
    s.folder = folder;
    s.found = true;
    return s;
  };
  if (!option.empty()) return take(option);
  if (const std::string env = EnvironmentValue("TWINWORLDS_DATA"); !env.empty()) return take(env);
  // Every existing use runs in its game folder, so that stays first; a
  // folder with the tile sheet or a stage file but broken data is still the
  // game's to judge. A folder that merely has an image or a stage folder
  // (the source tree's stage/ is code) is someone else's, and one with a
  // pack.txt is a pack's: it holds some of the game's files, not the data.
  s.tried.push_back(".");
  const bool pack = IsFile(ResolveIgnoringCase("", "pack.txt"));
  if (!pack && (HoldsGameData("") || IsFile(ResolveIgnoringCase("", "stage/fai_kansei.txt")) ||
                IsFile(ResolveIgnoringCase("", "stage/Magic1234.txt"))))
    return take("");
  std::vector<std::string> candidates;
  if (!executableFolder.empty()) {
    candidates.push_back(Join(executableFolder, "game"));
#ifdef TWINWORLDS_DATA_FROM_EXE
    candidates.push_back(std::filesystem::path(Join(executableFolder, TWINWORLDS_DATA_FROM_EXE)).lexically_normal());
#endif
  }
  if (!InstalledDataFolder().empty()) candidates.push_back(InstalledDataFolder());
  std::string dataHome = EnvironmentValue("XDG_DATA_HOME");
  if (dataHome.empty() && !EnvironmentValue("HOME").empty()) dataHome = Join(EnvironmentValue("HOME"), ".local/share");
  if (!dataHome.empty()) candidates.push_back(Join(dataHome, "twinworlds"));
  std::string dataDirs = EnvironmentValue("XDG_DATA_DIRS");
  if (dataDirs.empty()) dataDirs = "/usr/local/share:/usr/share";
  for (const std::string& d : SplitFields(dataDirs, ':'))
    if (!d.empty()) candidates.push_back(Join(d, "twinworlds"));
  for (const std::string& c : candidates) {
    if (std::find(s.tried.begin(), s.tried.end(), c) != s.tried.end()) continue;
    s.tried.push_back(c);
    if (HoldsGameData(c)) return take(c);
  }
  s.folder.clear();
  return s;
}

std::string InstalledDataFolder() {
#ifdef TWINWORLDS_INSTALLED_DATA
  return TWINWORLDS_INSTALLED_DATA;
#else
  return "";
#endif
}

std::string ExecutableFolder() {
  char path[4096];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash == 0 ? 1 : slash);
}

std::string DataNotFoundLine(const DataSearch& search) {
  std::string line = "twinworlds: the game data (image/stage1/back.BMP) is in none of:";
  for (const std::string& t : search.tried) line += " " + t;
  return line + " (--data DIR or TWINWORLDS_DATA names the folder)";
}

void SetDataFolder(const std::string& folder) { Folder = folder; }
const std::string& DataFolder() { return Folder; }
void SetDataFolderMissing(bool missing) { Missing = missing; }
bool DataFolderMissing() { return Missing; }
