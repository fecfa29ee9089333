// SPDX-License-Identifier: MIT
// The editor's pack folder: its place, and its files.
#include "platform/shell/edit_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/files/data_folder.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"

namespace {

// A stage pair is a few hundred kilobytes at the largest the game takes.
constexpr size_t LargestEditFile = 64 << 20;

std::string PlayerDataFolder() {
  const std::string data = EnvironmentValue("XDG_DATA_HOME");
  if (!data.empty() && data[0] == '/') return data + "/twinworlds";
  if (const std::string home = EnvironmentValue("HOME"); !home.empty()) return home + "/.local/share/twinworlds";
  return "twinworlds";
}

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.empty() ? "." : path.c_str(), resolved) ? std::string(resolved) : std::string();
}

}  // namespace

std::string StageEditFolder(const RunOptions& options) {
  if (!options.editFolder.empty()) return options.editFolder;
  return PlayerDataFolder() + "/packs/my-stages";
}

std::string EditFolderShown() { return "~/.local/share/twinworlds/packs/my-stages"; }

bool CheckStageEditFolder(const std::string& folder, std::string* why) {
  const std::string data = RealPath(DataFolder()), edit = RealPath(folder);
  if (!data.empty() && edit == data) {
    *why = folder + ": is the game's data folder, which the editor never writes; name a pack folder of your own";
    return false;
  }
  return true;
}

std::string EditFilePath(const std::string& folder, const std::string& relative) {
  if (folder.empty()) return relative;
  return folder.back() == '/' ? folder + relative : folder + "/" + relative;
}

bool ReadEditFile(const std::string& folder, const std::string& relative, std::string* out, std::string* why) {
  const std::string path = EditFilePath(folder, relative);
  struct stat st{};
  if (stat(path.c_str(), &st) != 0) {
    why->clear();
    return false;
  }
  std::vector<uint8_t> bytes;
  if (const char* fault = ReadWholeFile(path, LargestEditFile, &bytes)) {
    *why = path + ": " + fault;
    return false;
  }
  out->assign(bytes.begin(), bytes.end());
  return true;
}

bool WriteEditFile(const std::string& folder, const std::string& relative, const std::string& bytes) {
  const std::string path = EditFilePath(folder, relative);
  return MakeFoldersFor(path) && WriteFileAtomically(path, bytes);
}

int64_t EditFileTime(const std::string& folder, const std::string& relative) {
  struct stat st{};
  if (stat(EditFilePath(folder, relative).c_str(), &st) != 0) return -1;
  return int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
}

void RemoveEditFile(const std::string& folder, const std::string& relative) {
  unlink(EditFilePath(folder, relative).c_str());
}
