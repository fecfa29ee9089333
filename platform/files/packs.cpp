// SPDX-License-Identifier: MIT
// Reading a pack folder, and the pack in force.
#include "platform/files/packs.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>

#include "platform/files/data_folder.h"
#include "platform/files/sha256.h"
#include "platform/files/whole_file.h"

namespace {

Pack InForce;
bool AnyInForce = false;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

std::string RealPath(const std::string& path) {
  char* real = realpath(path.empty() ? "." : path.c_str(), nullptr);
  if (!real) return "";
  std::string out = real;
  std::free(real);
  return out;
}

bool Inside(const std::string& real, const std::string& root) {
  return real.size() > root.size() && real.compare(0, root.size(), root) == 0 &&
         (root.back() == '/' || real[root.size()] == '/');
}

// The names found under a folder: relative paths, '/' between the parts,
// down to `depth` folders.
void ListFiles(const std::string& folder, const std::string& relative, int depth, std::vector<std::string>* out) {
  DIR* d = opendir(Join(folder, relative).empty() ? "." : Join(folder, relative).c_str());
  if (!d) return;
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == ".." || out->size() > 4 * MostPackEntries) continue;
    const std::string inside = relative.empty() ? name : relative + "/" + name;
    struct stat s;
    if (stat(Join(folder, inside).c_str(), &s) != 0) continue;
    if (S_ISDIR(s.st_mode) && depth > 0) ListFiles(folder, inside, depth - 1, out);
    else if (S_ISREG(s.st_mode)) out->push_back(inside);
  }
  closedir(d);
}

// The game data's files a pack may stand in for, in lower case: those under
// its stage/, image/, se/ and Sound/ (its glyph sheet and its own packs/
// are not the game's to open). Listed once for each data folder.
const std::set<std::string>& OverlaidNames() {
  static std::string listedFor = "\n";
  static std::set<std::string> names;
  if (listedFor == DataFolder()) return names;
  listedFor = DataFolder();
  names.clear();
  if (DataFolderMissing()) return names;
  std::vector<std::string> found;
  for (const char* top : {"stage", "image", "se", "Sound"}) {
    const std::string resolved = ResolveIgnoringCase(DataFolder(), top);
    struct stat s;
    if (stat(Join(DataFolder(), resolved).c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) continue;
    ListFiles(DataFolder(), resolved, 3, &found);
  }
  for (const std::string& f : found) names.insert(Lower(f));
  return names;
}

bool NameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
         c == '.';
}

// The walk of a pack folder: every file by its relative path, each real
// path checked to stay inside the pack.
struct PackWalk {
  std::string root;  // the pack's real path
  int entries = 0;
  std::string fault;
  std::vector<std::pair<std::string, std::string>> files;  // relative path, real path
};

void Walk(PackWalk* w, const std::string& relative, int depth) {
  const std::string here = relative.empty() ? w->root : w->root + "/" + relative;
  DIR* d = opendir(here.c_str());
  if (!d) {
    w->fault = here + ": cannot be read";
    return;
  }
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (++w->entries > MostPackEntries) {
      w->fault = w->root + ": holds more than " + std::to_string(MostPackEntries) + " files and folders";
      break;
    }
    const std::string inside = relative.empty() ? name : relative + "/" + name;
    const std::string path = w->root + "/" + inside;
    struct stat s;
    if (lstat(path.c_str(), &s) != 0) continue;
    std::string real = path;
    if (S_ISLNK(s.st_mode)) {
      real = RealPath(path);
      // A link that leads nowhere holds nothing the game could open.
      if (real.empty()) continue;
      if (!Inside(real, w->root)) {
        w->fault = path + ": leads out of the pack";
        break;
      }
      if (stat(real.c_str(), &s) != 0) continue;
    }
    if (S_ISDIR(s.st_mode)) {
      if (depth > 0) Walk(w, inside, depth - 1);
    } else {
      w->files.emplace_back(inside, real);
    }
    if (!w->fault.empty()) break;
  }
  closedir(d);
}

}  // namespace

std::string PackNameFault(const std::string& name) {
  if (name.empty() || name.size() > 64)
    return "'" + name + "' is not a pack name (1 to 64 letters, digits, '-', '_' and '.')";
  if (name[0] == '.') return "'" + name + "' is not a pack name: it starts with '.'";
  for (char c : name)
    if (!NameCharacter(c))
      return "'" + name + "' is not a pack name: it may hold only the letters A-Z and a-z, digits, '-', '_' and '.'";
  return "";
}

std::string PackPathFault(const std::string& relative) {
  if (relative.empty() || relative.size() > 255) return "'" + relative + "' is not a path inside a pack";
  if (relative[0] == '/') return "'" + relative + "' is absolute, not inside the pack";
  int parts = 0;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t slash = relative.find('/', start);
    if (slash == std::string::npos) slash = relative.size();
    const std::string part = relative.substr(start, slash - start);
    if (part == "..") return "'" + relative + "' leads out of the pack";
    if (++parts > 8 || !PackNameFault(part).empty())
      return "'" + relative + "' is not a path inside a pack (parts of letters, digits, '-', '_' and '.')";
    start = slash + 1;
  }
  return "";
}

std::string PackIdOfPath(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  std::string last = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  if (last.empty() || last == "." || last == "..") {
    const std::string real = RealPath(path);
    last = real.substr(real.rfind('/') + 1);
  }
  return last;
}

Pack ReadPack(const std::string& folder, const std::string& id) {
  Pack p;
  p.id = id;
  p.folder = folder;
  struct stat s;
  if (stat(folder.c_str(), &s) != 0) {
    p.fault = folder + ": no such folder";
    return p;
  }
  if (!S_ISDIR(s.st_mode)) {
    p.fault = folder + ": is not a folder";
    return p;
  }
  if (const std::string why = PackNameFault(id); !why.empty()) {
    p.fault = folder + ": " + why;
    return p;
  }
  PackWalk w;
  w.root = RealPath(folder);
  if (w.root.empty()) {
    p.fault = folder + ": cannot be read";
    return p;
  }
  p.folder = w.root;
  Walk(&w, "", 6);
  // pack.txt first: it names the pack even when its files are at fault.
  std::string info;
  for (const auto& [relative, real] : w.files)
    if (Lower(relative) == "pack.txt") info = real;
  if (info.empty() && w.fault.empty()) {
    p.fault = w.root + ": has no pack.txt, so it is not a pack";
    return p;
  }
  if (!info.empty()) {
    std::vector<uint8_t> bytes;
    std::string why;
    if (const char* fault = ReadWholeFile(info, LargestPackInfo, &bytes))
      why = std::string(fault).rfind("is larger", 0) == 0 ? "is larger than 64 KiB" : fault;
    else
      ParsePackInfo(bytes.data(), bytes.size(), &p.info, &why);
    if (!why.empty() && w.fault.empty()) w.fault = w.root + "/" + "pack.txt" + ": " + why;
  }
  if (!w.fault.empty()) {
    p.fault = w.fault;
    return p;
  }
  const std::set<std::string>& game = OverlaidNames();
  std::map<std::string, std::string> seen;  // key -> relative path
  for (const auto& [relative, real] : w.files) {
    const std::string key = Lower(relative);
    if (!game.count(key)) continue;
    if (auto twin = seen.find(key); twin != seen.end()) {
      p.fault = w.root + ": " + twin->second + " and " + relative + " are one file whatever their case";
      return p;
    }
    seen[key] = relative;
    if (stat(real.c_str(), &s) != 0 || !S_ISREG(s.st_mode)) {
      p.fault = w.root + "/" + relative + ": is not a regular file";
      return p;
    }
    if (static_cast<uint64_t>(s.st_size) > LargestPackFile) {
      p.fault = w.root + "/" + relative + ": is larger than 16 MiB";
      return p;
    }
    p.files.push_back({key, real});
  }
  std::sort(p.files.begin(), p.files.end(), [](const PackFile& a, const PackFile& b) { return a.key < b.key; });
  Sha256 h;
  StartSha256(&h);
  for (const PackFile& f : p.files) {
    std::vector<uint8_t> bytes;
    if (ReadWholeFile(f.path, LargestPackFile, &bytes)) {
      p.fault = f.path + ": cannot be read";
      return p;
    }
    uint8_t length[8];
    for (int i = 0; i < 8; i++) length[i] = static_cast<uint8_t>(static_cast<uint64_t>(bytes.size()) >> (8 * i));
    AddSha256(&h, f.key.data(), f.key.size() + 1);  // with its terminating zero
    AddSha256(&h, length, sizeof length);
    AddSha256(&h, bytes.data(), bytes.size());
  }
  p.hash = FinishSha256(&h);
  return p;
}

std::vector<Pack> ReadPacksIn(const std::vector<std::string>& folders) {
  std::vector<Pack> out;
  std::set<std::string> ids;
  for (const std::string& folder : folders) {
    std::vector<std::string> names;
    if (DIR* d = opendir(folder.c_str())) {
      while (dirent* e = readdir(d)) {
        const std::string name = e->d_name;
        struct stat s;
        if (name == "." || name == ".." || stat(Join(folder, name).c_str(), &s) != 0 || !S_ISDIR(s.st_mode)) continue;
        if (names.size() < MostPackEntries) names.push_back(name);
      }
      closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
      if (ids.insert(name).second) out.push_back(ReadPack(Join(folder, name), name));
  }
  return out;
}

void SetPackInForce(const Pack* pack) {
  AnyInForce = pack != nullptr;
  InForce = pack ? *pack : Pack{};
}

const Pack* PackInForce() { return AnyInForce ? &InForce : nullptr; }

const std::string* PackFileFor(const std::string& relative) {
  if (!AnyInForce || InForce.files.empty()) return nullptr;
  const std::string key = Lower(relative);
  auto at = std::lower_bound(InForce.files.begin(), InForce.files.end(), key,
                             [](const PackFile& f, const std::string& k) { return f.key < k; });
  return at != InForce.files.end() && at->key == key ? &at->path : nullptr;
}
