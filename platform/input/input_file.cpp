// Input files: key names, the parser, the loader and the recording.
#include "platform/input/input_file.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/files/text_fields.h"
#include "platform/files/packs.h"
#include "platform/files/whole_file.h"
#include "platform/input/raw_keys.h"
#include "platform/windows_types.h"

namespace {

// An input file is text of a few lines a second of play: anything larger
// than this is not one.
constexpr size_t LargestInputFile = 64 << 20;

// The keys only version 3 files name.
bool PointerKey(int vk) { return vk == VK_LBUTTON || vk == VK_RBUTTON || vk == VK_MBUTTON || vk == VK_FOCUS_LOST; }

// "@X,Y" within the picture.
bool ParsePlace(const std::string& word, PointerSample* out) {
  const size_t comma = word.find(',');
  if (word.size() < 4 || word[0] != '@' || comma == std::string::npos) return false;
  const std::string x = word.substr(1, comma - 1), y = word.substr(comma + 1);
  auto number = [](const std::string& d) { return !d.empty() && d.size() <= 3 && std::all_of(d.begin(), d.end(), ::isdigit); };
  if (!number(x) || !number(y)) return false;
  const int px = std::stoi(x), py = std::stoi(y);
  if (px >= ScreenWidth || py >= ScreenHeight) return false;
  out->inside = true;
  out->x = static_cast<int16_t>(px);
  out->y = static_cast<int16_t>(py);
  return true;
}

// "WHEEL+N" or "WHEEL-N", N from 1 to 127.
bool ParseWheel(const std::string& word, PointerSample* out) {
  if (word.size() < 7 || word.compare(0, 5, "WHEEL") != 0 || (word[5] != '+' && word[5] != '-')) return false;
  const std::string n = word.substr(6);
  if (n.size() > 3 || !std::all_of(n.begin(), n.end(), ::isdigit) || std::stoi(n) < 1 || std::stoi(n) > 127) return false;
  out->wheel = static_cast<int8_t>(word[5] == '-' ? -std::stoi(n) : std::stoi(n));
  return true;
}

}  // namespace

const char* KeyName(int virtualKey) {
  const RawKey* k = RawKeyOf(virtualKey);
  return k ? k->fileName : nullptr;
}

int KeyFromName(const std::string& name) {
  for (int i = 0; i < RawKeys; i++)
    if (name == RawKeyTable[i].fileName) return RawKeyTable[i].virtualKey;
  return -1;
}

int VersionOfLine(const uint8_t* down, const PointerSample& pointer) {
  if (pointer.inside || pointer.wheel) return PointerInputVersion;
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && PointerKey(vk)) return PointerInputVersion;
  return 1;
}

std::string InputLineText(uint32_t flip, const uint8_t* down, const PointerSample& pointer) {
  std::string line = std::to_string(flip);
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && KeyName(vk)) line += std::string(" ") + KeyName(vk);
  if (pointer.inside) line += " @" + std::to_string(pointer.x) + "," + std::to_string(pointer.y);
  if (pointer.wheel) line += std::string(" WHEEL") + (pointer.wheel > 0 ? "+" : "-") + std::to_string(std::abs(pointer.wheel));
  return line + '\n';
}

bool ParseInputText(const std::string& text, std::vector<InputLine>* out, std::string* error, InputPackClaim* pack) {
  out->clear();
  if (pack) *pack = InputPackClaim{};
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  bool any = false;
  int version = 0;  // of the header line; 0 none
  bool packSaid = false;
  while (std::getline(in, line)) {
    lineNo++;
    if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    // The line is quoted as a terminal can show it, whatever its bytes.
    auto fail = [&](const std::string& what) {
      *error = PrintableText("line " + std::to_string(lineNo) + ": " + what);
      return false;
    };
    if (!any && first == "twinworlds-input") {
      std::string given, extra;
      if (!(words >> given) || (given != "1" && given != "2" && given != "3") || (words >> extra))
        return fail("unknown format version");
      version = given[0] - '0';
      any = true;
      continue;
    }
    // What the game was played on comes before the keys: always in version
    // 2, when it was played on a pack in version 3.
    if ((version == 2 || (version == PointerInputVersion && out->empty() && first == "pack")) && !packSaid) {
      std::string hash, name, extra;
      if (first != "pack" || !(words >> hash >> name) || (words >> extra))
        return fail(version == 2 ? "version 2 begins with 'pack HASH NAME'" : "the pack line is 'pack HASH NAME'");
      if (hash.size() != 64 || !std::all_of(hash.begin(), hash.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) && !std::isupper(static_cast<unsigned char>(c)); }))
        return fail("'" + hash + "' is not the hash of a pack's files");
      if (const std::string why = PackNameFault(name); !why.empty()) return fail(why);
      if (pack) *pack = InputPackClaim{name, hash};
      packSaid = true;
      continue;
    }
    any = true;
    if (first.empty() || first.size() > 9 || !std::all_of(first.begin(), first.end(), ::isdigit))
      return fail("'" + first + "' is not a flip number");
    InputLine entry{static_cast<uint32_t>(std::stoul(first)), {}};
    if (!out->empty() && entry.flip <= out->back().flip) return fail("flip numbers must increase");
    // Version 1 and 2 files know nothing of the pointer.
    packSaid = true;
    const bool pointer = version == PointerInputVersion;
    std::string key;
    while (words >> key) {
      if (pointer && key[0] == '@') {
        if (!ParsePlace(key, &entry.pointer)) return fail("'" + key + "' is not a place on the picture (@X,Y)");
        continue;
      }
      if (pointer && key.rfind("WHEEL", 0) == 0) {
        if (!ParseWheel(key, &entry.pointer)) return fail("'" + key + "' is not a turn of the wheel (WHEEL+N, WHEEL-N)");
        continue;
      }
      int vk = KeyFromName(key);
      if (vk < 0 || (!pointer && PointerKey(vk))) return fail("unknown key '" + key + "'");
      entry.keys.push_back(static_cast<uint8_t>(vk));
    }
    out->push_back(std::move(entry));
  }
  if (version == 2 && !packSaid) {
    *error = "line " + std::to_string(lineNo) + ": version 2 begins with 'pack HASH NAME'";
    return false;
  }
  return true;
}

bool LoadInputFile(const std::string& path, std::vector<InputLine>* out, std::string* error, InputPackClaim* pack) {
  std::vector<uint8_t> bytes;
  if (const char* fault = ReadWholeFile(path, LargestInputFile, &bytes)) {
    *error = fault;
    return false;
  }
  return ParseInputText(std::string(bytes.begin(), bytes.end()), out, error, pack);
}

InputRecording StartRecording(const std::string& path) {
  InputRecording r{};
  r.file = std::fopen(path.c_str(), "w");
  if (!r.file) std::fprintf(stderr, "twinworlds: %s: cannot write the recording\n", path.c_str());
  else std::fputs("twinworlds-input 1\n", r.file);
  r.version = 1;
  return r;
}

namespace {

bool SamePointer(const PointerSample& a, const PointerSample& b) {
  return a.inside == b.inside && a.wheel == b.wheel && (!a.inside || (a.x == b.x && a.y == b.y));
}

}  // namespace

void RecordKeys(InputRecording* r, uint32_t flip, const uint8_t* down, const PointerSample& pointer) {
  if (!r->file || (r->any && std::memcmp(r->last, down, sizeof r->last) == 0 && SamePointer(pointer, r->lastPointer)))
    return;
  const std::string line = InputLineText(flip, down, pointer);
  std::memcpy(r->last, down, sizeof r->last);
  r->lastPointer = pointer;
  r->any = true;
  if (r->version < PointerInputVersion && VersionOfLine(down, pointer) == PointerInputVersion) {
    // The first line says the new version; it is as long as the old one.
    r->version = PointerInputVersion;
    std::fflush(r->file);
    const long end = std::ftell(r->file);
    std::rewind(r->file);
    std::fprintf(r->file, "twinworlds-input %d\n", r->version);
    std::fseek(r->file, end, SEEK_SET);
  }
  if (!r->headed) r->written += line;
  std::fputs(line.c_str(), r->file);
  // The page reads the recording while the game runs (a run shared as a link).
  std::fflush(r->file);
}

void WriteRecordingHeader(InputRecording* r, const InputPackClaim* pack) {
  if (!r->file || r->headed) return;
  r->headed = true;
  if (pack && !pack->name.empty()) {
    // Longer than what it replaces, so every byte of that is written over.
    std::rewind(r->file);
    std::fprintf(r->file, "twinworlds-input %d\npack %s %s\n", std::max(r->version, 2), pack->hash.c_str(),
                 pack->name.c_str());
    std::fputs(r->written.c_str(), r->file);
    std::fflush(r->file);
    r->version = std::max(r->version, 2);
  }
  r->written.clear();
}

void FinishRecording(InputRecording* r, const InputPackClaim* pack) {
  WriteRecordingHeader(r, pack);
  if (r->file) std::fclose(r->file);
  r->file = nullptr;
}
