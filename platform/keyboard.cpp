// Key state: sampled at every flip from the keyboard or from an input file,
// and recorded in the same format when asked.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "platform/internal.h"

namespace {

struct NamedKey {
  const char* name;
  int vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"BACK", VK_BACK},   {"RETURN", VK_RETURN}, {"CONTROL", VK_CONTROL}, {"ESCAPE", VK_ESCAPE},
    {"SPACE", VK_SPACE}, {"LEFT", VK_LEFT},     {"UP", VK_UP},           {"RIGHT", VK_RIGHT},
    {"DOWN", VK_DOWN},   {"F1", VK_F1},         {"F2", VK_F2},
};

// An input file is text of a few lines a second of play: anything larger
// than this is not one.
constexpr off_t kLargestInputFile = 64 << 20;

uint8_t KeyDown[256];
void (*KeySource)(uint32_t, uint8_t*) = nullptr;
std::vector<InputLine> Script;
bool UseScript = false;
size_t ScriptNext = 0;
FILE* RecordFile = nullptr;
uint8_t Recorded[256];
bool RecordedAny = false;

bool SameKeys(const uint8_t* a, const uint8_t* b) { return std::memcmp(a, b, 256) == 0; }

void WriteRecordLine(uint32_t flip, const uint8_t* down) {
  std::fprintf(RecordFile, "%u", flip);
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && KeyName(vk)) std::fprintf(RecordFile, " %s", KeyName(vk));
  std::fputc('\n', RecordFile);
}

}  // namespace

const char* KeyName(int vk) {
  static char letters[26][2];
  if (vk >= 'A' && vk <= 'Z') {
    letters[vk - 'A'][0] = static_cast<char>(vk);
    return letters[vk - 'A'];
  }
  for (const NamedKey& k : kNamedKeys)
    if (k.vk == vk) return k.name;
  return nullptr;
}

int KeyFromName(const std::string& name) {
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return name[0];
  for (const NamedKey& k : kNamedKeys)
    if (name == k.name) return k.vk;
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
    auto fail = [&](const std::string& what) {
      *error = "line " + std::to_string(lineNo) + ": " + what;
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
  // Opened without waiting, so that a FIFO is refused rather than waited on.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    *error = "cannot be read";
    return false;
  }
  struct stat st{};
  std::string text;
  const char* fault = nullptr;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) fault = "is not a regular file";
  else if (st.st_size > kLargestInputFile) fault = "is larger than 64 MiB";
  // The size is checked again while reading: a file may grow meanwhile.
  char buffer[65536];
  ssize_t n = 0;
  while (!fault && (n = read(fd, buffer, sizeof buffer)) > 0) {
    text.append(buffer, static_cast<size_t>(n));
    if (static_cast<off_t>(text.size()) > kLargestInputFile) fault = "is larger than 64 MiB";
  }
  if (!fault && n < 0) fault = "cannot be read";
  close(fd);
  if (fault) {
    *error = fault;
    return false;
  }
  return ParseInputText(text, out, error);
}

void SetKeySource(void (*source)(uint32_t flip, uint8_t* down)) { KeySource = source; }

void StartKeys(const RunOptions& options, const std::vector<InputLine>& input) {
  std::memset(KeyDown, 0, sizeof KeyDown);
  Script = input;
  UseScript = !options.inputFile.empty();
  ScriptNext = 0;
  RecordedAny = false;
  if (!options.recordFile.empty()) {
    RecordFile = std::fopen(options.recordFile.c_str(), "w");
    if (!RecordFile) std::fprintf(stderr, "twinworlds: %s: cannot write the recording\n", options.recordFile.c_str());
    else std::fprintf(RecordFile, "twinworlds-input 1\n");
  }
}

void FinishKeys() {
  if (RecordFile) std::fclose(RecordFile);
  RecordFile = nullptr;
}

void SampleKeys(uint32_t flip) {
  uint8_t down[256] = {};
  if (KeySource) {
    KeySource(flip, down);
  } else if (UseScript) {
    // The last line whose flip has come says which keys are down.
    while (ScriptNext < Script.size() && Script[ScriptNext].flip <= flip) ScriptNext++;
    if (ScriptNext > 0)
      for (uint8_t vk : Script[ScriptNext - 1].keys) down[vk] = 1;
  } else if (ActiveBackend) {
    ActiveBackend->sampleKeyboard(down);
  }
  for (int vk = 0; vk < 256; vk++)
    if (down[vk] && !KeyDown[vk]) PostWindowMessage(WM_KEYDOWN, static_cast<WPARAM>(vk), 0);
  std::memcpy(KeyDown, down, sizeof KeyDown);
  if (RecordFile && (!RecordedAny || !SameKeys(Recorded, down))) {
    WriteRecordLine(flip, down);
    std::memcpy(Recorded, down, sizeof Recorded);
    RecordedAny = true;
  }
}

SHORT GetAsyncKeyState(int vk) {
  return (vk >= 0 && vk < 256 && KeyDown[vk]) ? static_cast<SHORT>(0x8000) : 0;
}
