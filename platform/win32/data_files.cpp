// Data files named the game's way: the pack in force's own when it has
// the file, else the data folder's, found whatever their case.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "platform/files/data_folder.h"
#include "platform/files/packs.h"
#include "platform/settings/settings.h"
#include "platform/win32/win32.h"

namespace {

std::string ProblemLine;

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
  if (const std::string* own = PackFileFor(relative)) return *own;
  const std::string path = InDataFolder(relative);
  if (relative.empty() || relative[0] == '/' || access(path.c_str(), F_OK) == 0) return path;
  // Found whatever its case: named as it is on disk.
  const std::string resolved = InDataFolder(ResolveIgnoringCase(DataFolder(), relative));
  return access(resolved.c_str(), F_OK) == 0 ? resolved : path;
}

FILE* OpenDataFile(const char* name, const char* mode) {
  if (!name) return nullptr;
  const std::string relative = SlashedName(name);
  // The pack was listed when it was chosen: no look on the disk here.
  if (const std::string* own = PackFileFor(relative)) return std::fopen(own->c_str(), mode);
  const std::string path = InDataFolder(relative);
  FILE* f = std::fopen(path.c_str(), mode);
  if (f || errno != ENOENT || relative.empty() || relative[0] == '/') return f;
  const std::string resolved = InDataFolder(ResolveIgnoringCase(DataFolder(), relative));
  return resolved == path ? nullptr : std::fopen(resolved.c_str(), mode);
}

void NoteDataFileProblem(const char* name) {
  if (!ProblemLine.empty()) return;
  const bool english = RunLanguage() == LanguageEnglish;
  if (DataFolderMissing()) {
    ProblemLine = english ? "The game data was not found (--data DIR names its folder)"
                          : "ゲームのデータが見つかりません（--data DIR でそのフォルダを指定）";
    return;
  }
  const std::string path = DataFilePath(name);
  struct stat st;
  if (stat(path.c_str(), &st) == 0) {
    ProblemLine = (english ? "This file cannot be used: " : "このファイルは使えません: ") + path;
    return;
  }
  // The outermost folder missing on the way to it, each part found
  // whatever its case; the file itself when its folder is there.
  const std::string relative = SlashedName(name);
  std::string missing = path;
  bool folderThere = false;
  for (size_t slash = relative.rfind('/'); slash != std::string::npos && slash > 0 && !folderThere;
       slash = relative.rfind('/', slash - 1)) {
    const std::string folder = DataFilePath(relative.substr(0, slash).c_str());
    folderThere = stat(folder.c_str(), &st) == 0;
    if (!folderThere) missing = folder;
  }
  for (std::string folder = DataFolder(); !folderThere && !folder.empty() && folder != "/";) {
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    folderThere = stat(folder.c_str(), &st) == 0;
    if (!folderThere) missing = folder;
    const size_t slash = folder.rfind('/');
    if (slash == std::string::npos) break;
    folder = folder.substr(0, slash == 0 ? 1 : slash);
  }
  if (missing == path)
    ProblemLine = (english ? "This file is missing: " : "このファイルがありません: ") + path;
  else
    ProblemLine = (english ? "This folder is missing: " : "このフォルダがありません: ") + missing;
}

std::string DataProblemLine() { return ProblemLine; }
void ForgetDataFileProblem() { ProblemLine.clear(); }
