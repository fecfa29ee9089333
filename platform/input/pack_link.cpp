// SPDX-License-Identifier: MIT
// Packs as links: the archive, the link, and a pack folder's share of it.
#include "platform/input/pack_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "platform/files/data_folder.h"
#include "platform/files/pack_info.h"
#include "platform/files/packs.h"
#include "platform/files/sha256.h"
#include "platform/files/text_fields.h"
#include "platform/files/user_folders.h"
#include "platform/files/whole_file.h"
#include "platform/input/input_file.h"
#include "platform/input/run_link.h"

namespace {

// The stage files the game opens, world A's and world B's.
constexpr const char* GameStageFiles[] = {"stage/fai_kansei.txt", "stage/Magic1234.txt"};
constexpr const char* InfoFile = "pack.txt";
// The whole archive inflated: both stages at their largest and a long run.
constexpr size_t LargestPayload = 64 << 20;
constexpr size_t LargestRun = 32 << 20;

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The game's own name for a path a link may carry; null for one it may not.
const char* LinkName(const std::string& path) {
  const std::string key = Lower(path);
  if (key == InfoFile) return InfoFile;
  for (const char* name : GameStageFiles)
    if (key == Lower(name)) return name;
  return nullptr;
}

bool IsStageFile(const std::string& name) { return name != InfoFile; }

// A decimal count of bytes, no sign, no leading zeros but "0".
bool ReadLength(const std::string& word, size_t largest, size_t* out) {
  if (word.empty() || word.size() > 10 || (word.size() > 1 && word[0] == '0')) return false;
  size_t n = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
    n = n * 10 + static_cast<size_t>(c - '0');
  }
  if (n > largest) return false;
  *out = n;
  return true;
}

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < line.size()) {
    const size_t end = std::min(line.find(' ', at), line.size());
    words.push_back(line.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

}  // namespace

std::string PackLinkPayload(const PackLink& link) {
  std::string out = "twinworlds-pack " + std::to_string(PackLinkVersion) + "\nid " + link.id + "\n";
  for (const PackLinkFile& f : link.files)
    out += "file " + f.path + " " + std::to_string(f.bytes.size()) + "\n" + f.bytes + "\n";
  if (!link.run.empty()) out += "run " + std::to_string(link.run.size()) + "\n" + link.run + "\n";
  return out + "end\n";
}

std::string PackLinkText(const PackLink& link, const std::string& base) {
  return base + PackLinkMark + Base64UrlEncode(DeflateRaw(PackLinkPayload(link)));
}

bool ReadPackLinkPayload(const std::string& payload, PackLink* out, std::string* why) {
  PackLink link;
  size_t at = 0;
  int number = 0;
  // The next line, without its break; false at the end of the bytes.
  auto line = [&](std::string* text) {
    const size_t end = payload.find('\n', at);
    if (end == std::string::npos) return false;
    *text = payload.substr(at, end - at);
    at = end + 1;
    number++;
    return true;
  };
  auto fail = [&](const std::string& what) {
    *why = PrintableText(what);
    return false;
  };
  std::string text;
  if (!line(&text) || text.rfind("twinworlds-pack ", 0) != 0) return fail("is not a pack link of this game");
  if (text != "twinworlds-pack " + std::to_string(PackLinkVersion))
    return fail("is a pack link of another version (" + text.substr(16, 12) + "), which this game does not read");
  if (!line(&text) || text.rfind("id ", 0) != 0) return fail("names no pack (its second line is not 'id NAME')");
  link.id = text.substr(3);
  if (const std::string fault = PackNameFault(link.id); !fault.empty()) return fail("names no pack of a usable name: " + fault);
  bool ended = false, ranAlready = false;
  while (!ended) {
    if (!line(&text)) return fail("is cut short");
    const std::vector<std::string> words = Words(text);
    const std::string& kind = words.empty() ? text : words[0];
    size_t length = 0;
    std::string* into = nullptr;
    if (kind == "end" && words.size() == 1) {
      ended = true;
      continue;
    } else if (kind == "file" && words.size() == 3 && !ranAlready) {
      const std::string& path = words[1];
      if (const std::string fault = PackPathFault(path); !fault.empty()) return fail("carries a path that is not inside the pack: " + fault);
      const char* name = LinkName(path);
      if (!name) return fail("carries '" + path + "', neither one of the game's stage files nor pack.txt");
      for (const PackLinkFile& f : link.files)
        if (f.path == name) return fail("carries '" + path + "' twice");
      const size_t largest = IsStageFile(name) ? LargestPackFile : LargestPackInfo;
      if (!ReadLength(words[2], largest, &length))
        return fail("gives '" + path + "' no length up to " +
                    (IsStageFile(name) ? std::string("16 MiB") : std::string("64 KiB")));
      link.files.push_back({name, ""});
      into = &link.files.back().bytes;
    } else if (kind == "run" && words.size() == 2 && !ranAlready) {
      if (!ReadLength(words[1], LargestRun, &length)) return fail("gives its run no length up to 32 MiB");
      ranAlready = true;
      into = &link.run;
    } else {
      return fail("is out of order at its line " + std::to_string(number) + " (not 'file PATH LENGTH', 'run LENGTH' or 'end')");
    }
    if (payload.size() - at < length + 1 || payload[at + length] != '\n') return fail("is cut short");
    *into = payload.substr(at, length);
    at += length + 1;
  }
  if (at != payload.size()) return fail("holds more after its end");
  const auto info = std::find_if(link.files.begin(), link.files.end(),
                                 [](const PackLinkFile& f) { return !IsStageFile(f.path); });
  if (info == link.files.end()) return fail("carries no pack.txt");
  if (std::none_of(link.files.begin(), link.files.end(), [](const PackLinkFile& f) { return IsStageFile(f.path); }))
    return fail("carries no stage file");
  PackInfo parsed;
  std::string infoWhy;
  if (!ParsePackInfo(reinterpret_cast<const uint8_t*>(info->bytes.data()), info->bytes.size(), &parsed, &infoWhy))
    return fail("carries a pack.txt that cannot be read: " + infoWhy);
  if (!link.run.empty()) {
    std::vector<InputLine> lines;
    std::string runWhy;
    if (!ParseInputText(link.run, &lines, &runWhy)) return fail("carries a run that cannot be read: " + runWhy);
  }
  *out = std::move(link);
  return true;
}

bool IsPackLink(const std::string& text) { return text.find(PackLinkMark) != std::string::npos; }

bool PackLinkFromText(const std::string& text, PackLink* out, std::string* why) {
  const size_t mark = text.find(PackLinkMark);
  std::string data = mark == std::string::npos ? "" : text.substr(mark + std::char_traits<char>::length(PackLinkMark));
  // Whatever a mail or chat program left after the link.
  const size_t end = data.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_");
  if (end != std::string::npos) data.erase(end);
  std::vector<uint8_t> bytes;
  std::string payload;
  if (data.empty() || !Base64UrlDecode(data, &bytes) || !InflateRaw(bytes, LargestPayload, &payload)) {
    *why = "not a whole pack link (cut short or changed?)";
    return false;
  }
  if (!ReadPackLinkPayload(payload, out, why)) {
    *why = "the link " + *why;
    return false;
  }
  return true;
}

bool PackLinkOfFolder(const std::string& folder, PackLink* out, int* leftOut, std::string* why) {
  const Pack pack = ReadPack(folder, PackIdOfPath(folder));
  if (!pack.fault.empty()) {
    *why = pack.fault;
    return false;
  }
  PackLink link;
  link.id = pack.id;
  *leftOut = 0;
  std::vector<uint8_t> bytes;
  const std::string info = pack.folder + "/" + ResolveIgnoringCase(pack.folder, InfoFile);
  if (const char* fault = ReadWholeFile(info, LargestPackInfo, &bytes)) {
    *why = info + ": " + fault;
    return false;
  }
  link.files.push_back({InfoFile, std::string(bytes.begin(), bytes.end())});
  for (const PackFile& f : pack.files) {
    const char* name = LinkName(f.key);
    if (!name) {
      ++*leftOut;
      continue;
    }
    if (const char* fault = ReadWholeFile(f.path, LargestPackFile, &bytes)) {
      *why = f.path + ": " + fault;
      return false;
    }
    link.files.push_back({name, std::string(bytes.begin(), bytes.end())});
  }
  if (link.files.size() == 1) {
    *why = pack.folder + ": holds no stage file to share";
    return false;
  }
  *out = std::move(link);
  return true;
}

bool MakePackLink(const std::string& folder, const std::string& runText, const std::string& base, std::string* link,
                  std::string* why) {
  PackLink pack;
  int leftOut = 0;
  if (!PackLinkOfFolder(folder, &pack, &leftOut, why)) return false;
  pack.run = runText;
  *link = PackLinkText(pack, base);
  return true;
}

bool WritePackLinkFiles(const PackLink& link, const std::string& folder, std::vector<std::string>* written,
                        std::string* why) {
  // The folders on the way too: the page's /link, or a packs folder not yet made.
  if (!MakeFoldersFor(folder + "/stage/")) {
    *why = folder + ": cannot be made";
    return false;
  }
  std::vector<const char*> names = {InfoFile};
  names.insert(names.end(), std::begin(GameStageFiles), std::end(GameStageFiles));
  for (const char* name : names) {
    const bool carried = std::any_of(link.files.begin(), link.files.end(),
                                     [&](const PackLinkFile& f) { return f.path == name; });
    const std::string resolved = ResolveIgnoringCase(folder, name);
    const std::string there = folder + "/" + resolved;
    struct stat s;
    // A stage an earlier copy had and this one lacks is the game's again;
    // one named in another case would be a second copy of the file.
    if ((!carried || resolved != name) && lstat(there.c_str(), &s) == 0 && unlink(there.c_str()) != 0) {
      *why = there + ": cannot be taken away";
      return false;
    }
  }
  for (const PackLinkFile& f : link.files) {
    const std::string path = folder + "/" + f.path;
    if (!WriteFileAtomically(path, f.bytes)) {
      *why = path + ": cannot be written";
      return false;
    }
    if (written) written->push_back(path);
  }
  return true;
}

std::string RunTextOnPack(const std::string& runText, const std::string& id, const std::string& hash) {
  const std::string header = "twinworlds-input 2\npack " + hash + " " + id + "\n";
  std::string out;
  size_t at = 0;
  bool headerSeen = false;
  while (at < runText.size()) {
    const size_t end = std::min(runText.find('\n', at), runText.size());
    const std::string line = runText.substr(at, end - at);
    at = end + 1;
    std::string meaning = line.substr(0, line.find('#'));
    const std::vector<std::string> words = Words(meaning);
    const auto first = std::find_if(words.begin(), words.end(), [](const std::string& w) { return !w.empty(); });
    if (first == words.end()) {
      out += line + "\n";
      continue;
    }
    if (!headerSeen && *first == "twinworlds-input") {
      out += header;
      headerSeen = true;
      continue;
    }
    // What the file said of its pack gives way to the new line.
    if (headerSeen && *first == "pack") {
      headerSeen = true;
      continue;
    }
    if (!headerSeen) out += header;
    headerSeen = true;
    out += line + "\n";
    out += runText.substr(at);
    return out;
  }
  return headerSeen ? out : header + out;
}

std::string PackLinkHash(const PackLink& link) {
  std::vector<std::pair<std::string, const std::string*>> files;
  for (const PackLinkFile& f : link.files)
    if (IsStageFile(f.path)) files.emplace_back(Lower(f.path), &f.bytes);
  std::sort(files.begin(), files.end());
  Sha256 h;
  StartSha256(&h);
  for (const auto& [key, bytes] : files) {
    uint8_t length[8];
    for (int i = 0; i < 8; i++) length[i] = static_cast<uint8_t>(static_cast<uint64_t>(bytes->size()) >> (8 * i));
    AddSha256(&h, key.data(), key.size() + 1);
    AddSha256(&h, length, sizeof length);
    AddSha256(&h, bytes->data(), bytes->size());
  }
  return FinishSha256(&h);
}
