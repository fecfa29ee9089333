// Input files: key names, the parser, the loader and the recording.
#include "platform/input/input_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>

#include "platform/files/text_fields.h"
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

bool ParseInputText(const std::string& text, std::vector<InputLine>* out, std::string* error) {
  out->clear();
  std::istringstream in(text);
  std::string line;
  int lineNo = 0;
  bool any = false;
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
      std::string version, extra;
      if (!(words >> version) || version != "1" || (words >> extra)) return fail("unknown format version");
      any = true;
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
  return true;
}

bool LoadInputFile(const std::string& path, std::vector<InputLine>* out, std::string* error) {
  std::vector<uint8_t> bytes;
  if (const char* fault = ReadWholeFile(path, LargestInputFile, &bytes)) {
    *error = fault;
    return false;
  }
  return ParseInputText(std::string(bytes.begin(), bytes.end()), out, error);
}

InputRecording StartRecording(const std::string& path) {
  InputRecording r{};
  r.file = std::fopen(path.c_str(), "w");
  if (!r.file) std::fprintf(stderr, "twinworlds: %s: cannot write the recording\n", path.c_str());
  else std::fprintf(r.file, "twinworlds-input 1\n");
  return r;
}

void RecordKeys(InputRecording* r, uint32_t flip, const uint8_t* down) {
  if (!r->file || (r->any && std::memcmp(r->last, down, sizeof r->last) == 0)) return;
  std::fprintf(r->file, "%u", flip);
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && KeyName(vk)) std::fprintf(r->file, " %s", KeyName(vk));
  std::fputc('\n', r->file);
  // The page reads the recording while the game runs (a run shared as a link).
  std::fflush(r->file);
  std::memcpy(r->last, down, sizeof r->last);
  r->any = true;
}

void FinishRecording(InputRecording* r) {
  if (r->file) std::fclose(r->file);
  r->file = nullptr;
}
