// Input files: key names, the parser, the loader and the recording.
#include "platform/input/input_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "platform/files/packs.h"
#include "platform/files/whole_file.h"
#include "platform/input/raw_keys.h"
#include "platform/windows_types.h"

namespace {

// An input file is text of a few lines a second of play: anything larger
// than this is not one.
constexpr size_t LargestInputFile = 64 << 20;

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
    auto fail = [&](const std::string& what) {
      *error = "line " + std::to_string(lineNo) + ": " + what;
      return false;
    };
    if (!any && first == "twinworlds-input") {
      std::string given, extra;
      if (!(words >> given) || (given != "1" && given != "2") || (words >> extra)) return fail("unknown format version");
      version = given[0] - '0';
      any = true;
      continue;
    }
    if (version == 2 && !packSaid) {
      // What the game was played on comes before the keys.
      std::string hash, name, extra;
      if (first != "pack" || !(words >> hash >> name) || (words >> extra)) return fail("version 2 begins with 'pack HASH NAME'");
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
    std::string key;
    while (words >> key) {
      int vk = KeyFromName(key);
      if (vk < 0) return fail("unknown key '" + key + "'");
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
  return r;
}

void RecordKeys(InputRecording* r, uint32_t flip, const uint8_t* down) {
  if (!r->file || (r->any && std::memcmp(r->last, down, sizeof r->last) == 0)) return;
  std::string line = std::to_string(flip);
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && KeyName(vk)) line += std::string(" ") + KeyName(vk);
  line += '\n';
  std::memcpy(r->last, down, sizeof r->last);
  r->any = true;
  if (!r->headed) {
    r->waiting += line;
    return;
  }
  std::fputs(line.c_str(), r->file);
  // The page reads the recording while the game runs (a run shared as a link).
  std::fflush(r->file);
}

void WriteRecordingHeader(InputRecording* r, const InputPackClaim* pack) {
  if (!r->file || r->headed) return;
  r->headed = true;
  if (pack && !pack->name.empty())
    std::fprintf(r->file, "twinworlds-input 2\npack %s %s\n", pack->hash.c_str(), pack->name.c_str());
  else
    std::fputs("twinworlds-input 1\n", r->file);
  std::fputs(r->waiting.c_str(), r->file);
  r->waiting.clear();
  std::fflush(r->file);
}

void FinishRecording(InputRecording* r, const InputPackClaim* pack) {
  WriteRecordingHeader(r, pack);
  if (r->file) std::fclose(r->file);
  r->file = nullptr;
}
