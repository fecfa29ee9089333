// Loading a stage file: its integers read one by one (with line numbers for
// the messages), its markers and hidden cells listed; and freeing both maps.
#include "stage/stage_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/win32/win32.h"

namespace {

// Larger stages are refused before anything is allocated: they are far
// beyond any stage the game is made for, and the limit keeps every cell
// index well inside int32.
constexpr int64_t MaxStageCells = int64_t{1} << 24;

// Why a stage of this size cannot be played (into `why`), or false.
bool SizeFault(int32_t width, int32_t height, char* why, size_t size) {
  if (width < ViewColumns || height < ViewRows)
    std::snprintf(why, size, "a stage of %d x %d cells is smaller than the view of %d x %d", width, height, ViewColumns,
                  ViewRows);
  else if (int64_t{width} * height > MaxStageCells)
    std::snprintf(why, size, "a stage of %d x %d cells is too large", width, height);
  else
    return false;
  return true;
}

// Reads the next integer of a stage file: white space, an optional sign,
// digits, then an optional comma that belongs to it.
struct StageReader {
  FILE* file;
  int line;
};

int NextChar(StageReader* r) {
  const int c = std::fgetc(r->file);
  if (c == '\n') r->line++;
  return c;
}

void PutBack(StageReader* r, int c) {
  if (c == EOF) return;
  if (c == '\n') r->line--;
  std::ungetc(c, r->file);
}

bool IsBlank(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// 1 read, 0 the file has ended, -1 something else stands there or the
// number does not fit in 32 bits.
int ReadValue(StageReader* r, int32_t* out) {
  int c;
  do c = NextChar(r);
  while (IsBlank(c));
  if (c == EOF) return 0;
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = NextChar(r);
  }
  if (c < '0' || c > '9') {
    PutBack(r, c);
    return -1;
  }
  int64_t value = 0;
  for (; c >= '0' && c <= '9'; c = NextChar(r)) {
    value = value * 10 + (c - '0');
    if (value > int64_t{1} << 31) return -1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX || value < INT32_MIN) return -1;
  if (c != ',') PutBack(r, c);
  *out = static_cast<int32_t>(value);
  return 1;
}

std::string LastFault;

// A data file is named as it is on disk ("stage/fai_kansei.txt"), not as
// the game names it; text held in memory by the name it was given.
struct Source {
  const char* dataName;  // null for text in memory
  const char* shownName;
};

void Reject(const Source& source, int line, const char* why) {
  std::string path = source.shownName;
  if (source.dataName) {
    NoteDataFileProblem(source.dataName);
    path = DataFilePath(source.dataName);
  }
  LastFault = path + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + why;
  std::fprintf(stderr, "twinworlds: %s\n", LastFault.c_str());
}

// The map made of `cells` (taken over; freed when it cannot be): its event
// markers taken out into their list and its hidden cells listed. 0 after
// saying why.
int FillStageMap(StageMap* map, int32_t width, int32_t height, int32_t* cells, const Source& source) {
  const int32_t count = width * height;
  int32_t markers = 0, hiddenCount = 0;
  for (int32_t i = 0; i < count; i++) {
    if (cells[i] >= CellEventFirst && cells[i] <= CellEventLast) markers++;
    else if (cells[i] >= CellHiddenFirst) hiddenCount++;
  }
  if (markers > MaxEventMarkers) {
    char why[64];
    std::snprintf(why, sizeof why, "more than %d event markers", MaxEventMarkers);
    Reject(source, 0, why);
    std::free(cells);
    return 0;
  }
  // One entry at least, so that an empty list is still a valid pointer.
  int32_t* eventCells = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * (markers + 1)));
  int32_t* eventValues = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * (markers + 1)));
  int32_t* hiddenCells = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * (hiddenCount + 1)));
  if (!eventCells || !eventValues || !hiddenCells) {
    Reject(source, 0, "not enough memory for the stage");
    std::free(cells);
    std::free(eventCells);
    std::free(eventValues);
    std::free(hiddenCells);
    return 0;
  }
  int32_t m = 0, h = 0;
  for (int32_t i = 0; i < count; i++) {
    if (cells[i] >= CellEventFirst && cells[i] <= CellEventLast) {
      eventCells[m] = i;
      eventValues[m++] = cells[i];
      cells[i] = 0;
    } else if (cells[i] >= CellHiddenFirst) {
      hiddenCells[h++] = i;
    }
  }
  map->width = width;
  map->height = height;
  map->cells = cells;
  map->eventCells = eventCells;
  map->eventValues = eventValues;
  map->eventCount = markers;
  map->hiddenCount = hiddenCount;
  map->hiddenCells = hiddenCells;
  return 1;
}

int LoadStage(StageMap* map, FILE* f, const Source& path);

}  // namespace

const char* LastStageFault() { return LastFault.c_str(); }

int LoadStageFile(StageMap* map, const char* path) {
  LastFault.clear();
  const Source source{path, path};
  FILE* f = OpenDataFile(path, "r");
  if (!f) {
    Reject(source, 0, "cannot open the stage file");
    return 0;
  }
  return LoadStage(map, f, source);
}

int LoadStageText(StageMap* map, const std::string& text, const char* name) {
  LastFault.clear();
  const Source source{nullptr, name};
  // An empty text is a file that ends at once; fmemopen wants a byte.
  FILE* f = text.empty() ? fmemopen(const_cast<char*>(""), 1, "r") : fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  if (!f) {
    Reject(source, 0, "not enough memory for the stage");
    return 0;
  }
  if (text.empty()) std::fgetc(f);
  return LoadStage(map, f, source);
}

int MakeStageMap(StageMap* map, int32_t width, int32_t height, const int32_t* grid, const char* name) {
  LastFault.clear();
  const Source source{nullptr, name};
  char why[128];
  if (SizeFault(width, height, why, sizeof why)) {
    Reject(source, 0, why);
    return 0;
  }
  const int64_t count = int64_t{width} * height;
  int32_t* cells = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * count));
  if (!cells) {
    Reject(source, 0, "not enough memory for the stage");
    return 0;
  }
  std::memcpy(cells, grid, sizeof(int32_t) * count);
  return FillStageMap(map, width, height, cells, source);
}

namespace {

int LoadStage(StageMap* map, FILE* f, const Source& path) {
  StageReader reader{f, 1};
  int32_t width = 0, height = 0;
  char why[128];
  if (ReadValue(&reader, &width) != 1 || ReadValue(&reader, &height) != 1) {
    std::fclose(f);
    Reject(path, reader.line, "the stage size cannot be read");
    return 0;
  }
  if (SizeFault(width, height, why, sizeof why)) {
    std::fclose(f);
    Reject(path, 0, why);
    return 0;
  }
  const int64_t count = int64_t{width} * height;

  int32_t* cells = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * count));
  int eventCount = 0;
  const char* fault = nullptr;
  int faultLine = 0;  // for a value that cannot be read: where it stands
  if (!cells) fault = "not enough memory for the stage";
  for (int32_t i = 0; !fault && i < count; i++) {
    const int got = ReadValue(&reader, &cells[i]);
    if (got == 0) {
      std::snprintf(why, sizeof why, "the file ends after %d of its %lld cell values", i,
                    static_cast<long long>(count));
      fault = why;
    } else if (got < 0) {
      std::snprintf(why, sizeof why, "cell value %d cannot be read", i + 1);
      fault = why;
      faultLine = reader.line;
    } else if (cells[i] >= CellEventFirst && cells[i] <= CellEventLast && eventCount++ == MaxEventMarkers) {
      std::snprintf(why, sizeof why, "more than %d event markers", MaxEventMarkers);
      fault = why;
    }
  }
  std::fclose(f);
  if (fault) {
    Reject(path, faultLine, fault);
    std::free(cells);
    return 0;
  }
  return FillStageMap(map, width, height, cells, path);
}

}  // namespace

void FreeStageMaps(StageMap* worldA, StageMap* worldB) {
  for (StageMap* m : {worldA, worldB}) {
    std::free(m->cells);
    std::free(m->eventCells);
    std::free(m->eventValues);
    std::free(m->hiddenCells);
    m->cells = m->eventCells = m->eventValues = m->hiddenCells = nullptr;
  }
}
