// SPDX-License-Identifier: MIT
// The editor's pack folder: its place, and its files.
#include "platform/shell/edit_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/backend.h"
#include "platform/files/data_folder.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"
#include "platform/shell/pack_choice.h"

namespace {

// A stage pair is a few hundred kilobytes at the largest the game takes.
constexpr size_t LargestEditFile = 64 << 20;

// What a new pack's pack.txt says: its name is the folder's until it says
// otherwise.
constexpr const char* NewPackInfo =
    "# A pack of stages made in twinworlds's stage editor. Its name is its\n"
    "# folder's; a line \"name = ...\" gives it another (see the README).\n";

std::string RealPath(const std::string& path) {
  char resolved[PATH_MAX];
  return realpath(path.empty() ? "." : path.c_str(), resolved) ? std::string(resolved) : std::string();
}

bool IsFolder(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The game's own: its data folder, or a pack it ships in its packs/.
bool GameDataFolder(const std::string& folder) {
  const std::string data = RealPath(DataFolder()), edit = RealPath(folder);
  if (data.empty() || edit.empty()) return false;
  if (edit == data) return true;
  const std::string shipped = data + "/packs/";
  return edit.compare(0, shipped.size(), shipped) == 0 && edit.find('/', shipped.size()) == std::string::npos;
}

// The page keeps its packs folder in the browser's storage: told of every
// change, it stores them (once for a burst of writes), and knows the pack
// edited (for its download).
void Written(const std::string& folder) {
  if (ActiveBackend && ActiveBackend->filesWritten) ActiveBackend->filesWritten(folder.c_str());
}

void Copy(const std::string& folder, const std::string& copyFrom, StageEditChoice* out) {
  out->folder.clear();
  out->copyFirst = true;
  // The game data's own folder holds the game's stages, not a pack's.
  out->copyFrom = RealPath(copyFrom) == RealPath(DataFolder()) ? "" : copyFrom;
  out->suggested = FreePackName(out->copyFrom.empty() ? "my-stages" : "my-" + PackIdOfPath(folder));
}

}  // namespace

bool ChooseStageEdit(const std::string& given, const std::string& inForce, StageEditChoice* out, std::string* why) {
  *out = StageEditChoice{};
  if (given.empty()) {
    if (inForce.empty() || GameDataFolder(inForce)) Copy(inForce, inForce, out);
    else Written(out->folder = inForce);
    return true;
  }
  std::string folder = given;
  if (given.find('/') == std::string::npos && given != "." && given != "..") {
    if (const std::string fault = PackNameFault(given); !fault.empty()) {
      *why = fault;
      return false;
    }
    std::string id;
    if (!ResolvePackOption(given, &folder, &id, why)) {
      // No pack of that name yet: a new one of the player's.
      const std::string packs = PlayerPacksFolder();
      if (packs.empty()) return false;
      folder = packs + "/" + given;
    }
  } else if (const std::string fault = PackNameFault(PackIdOfPath(given)); !fault.empty()) {
    *why = "the folder's name: " + fault;
    return false;
  }
  if (IsFolder(folder) && GameDataFolder(folder)) Copy(folder, folder, out);
  else out->folder = folder;
  if (!out->copyFirst) Written(out->folder);
  return true;
}

std::string EditFolderShown() { return "~/.local/share/twinworlds/packs"; }

std::string NewPackNameFault(const std::string& name) {
  if (std::string fault = PackNameFault(name); !fault.empty()) return fault;
  for (const std::string& packs : PacksFolders()) {
    struct stat st{};
    if (stat((packs + "/" + name).c_str(), &st) == 0) return "a pack of that name is there already (" + packs + ")";
  }
  return "";
}

std::string FreePackName(const std::string& base) {
  const std::string stem = base.substr(0, 56);
  if (NewPackNameFault(stem).empty()) return stem;
  for (int n = 2; n < 10000; n++)
    if (const std::string name = stem + "-" + std::to_string(n); NewPackNameFault(name).empty()) return name;
  return stem;
}

bool MakeStagePack(const StageEditChoice& choice, const std::string& name, std::string* folder, std::string* why) {
  if (const std::string fault = NewPackNameFault(name); !fault.empty()) {
    *why = fault;
    return false;
  }
  const std::string packs = PlayerPacksFolder();
  if (packs.empty()) {
    *why = "there is no packs folder to put it in";
    return false;
  }
  *folder = packs + "/" + name;
  std::error_code error;
  std::filesystem::create_directories(packs, error);
  if (!choice.copyFrom.empty())
    std::filesystem::copy(choice.copyFrom, *folder, std::filesystem::copy_options::recursive, error);
  else
    std::filesystem::create_directories(*folder, error);
  if (error) {
    *why = *folder + ": " + error.message();
    return false;
  }
  GivePackInfo(*folder);
  Written(*folder);
  return true;
}

void GivePackInfo(const std::string& folder) {
  std::string text, why;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    std::string file = entry.path().filename().string();
    for (char& c : file) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (file == "pack.txt") return;
  }
  if (!WriteEditFile(folder, "pack.txt", NewPackInfo))
    std::fprintf(stderr, "twinworlds: %s: cannot be written\n", EditFilePath(folder, "pack.txt").c_str());
}

bool RenameStagePack(const std::string& folder, const std::string& name, std::string* renamed, std::string* why) {
  if (const std::string fault = NewPackNameFault(name); !fault.empty()) {
    *why = fault;
    return false;
  }
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  const size_t slash = path.rfind('/');
  *renamed = slash == std::string::npos ? name : path.substr(0, slash + 1) + name;
  struct stat st{};
  if (stat(renamed->c_str(), &st) == 0) {
    *why = *renamed + ": is there already";
    return false;
  }
  if (std::rename(path.c_str(), renamed->c_str()) != 0) {
    *why = *renamed + ": " + std::strerror(errno);
    return false;
  }
  Written(*renamed);
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
  const bool written = MakeFoldersFor(path) && WriteFileAtomically(path, bytes);
  Written(folder);
  return written;
}

int64_t EditFileTime(const std::string& folder, const std::string& relative) {
  struct stat st{};
  if (stat(EditFilePath(folder, relative).c_str(), &st) != 0) return -1;
  return int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
}

void RemoveEditFile(const std::string& folder, const std::string& relative) {
  if (unlink(EditFilePath(folder, relative).c_str()) == 0) Written(folder);
}
