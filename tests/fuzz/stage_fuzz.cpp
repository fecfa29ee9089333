// The stage file loader, the text-map reader and the stage checks on any bytes.
#include "fuzz_file.h"
#include "stage/stage_checks.h"
#include "stage/stage_file.h"
#include "stage/stage_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FuzzFile(data, size);
  StageMap map{}, none{};
  if (LoadStageFile(&map, path.c_str())) {
    // What the game relies on in every stage it accepts.
    if (map.width < ViewColumns || map.height < ViewRows || !map.cells || map.eventCount > MaxEventMarkers) std::abort();
    for (int i = 0; i < map.eventCount; i++)
      if (map.eventCells[i] < 0 || map.eventCells[i] >= map.width * map.height) std::abort();
    StageFault faults[8];
    CheckStages(&map, &map, faults, 8);
    // Written out again, it loads to the same cells.
    const std::vector<int32_t> cells = StageFileCells(&map);
    StageMap again{};
    if (!LoadStageText(&again, FormatStageText(map.width, map.height, cells.data()), "again") ||
        StageFileCells(&again) != cells)
      std::abort();
    FreeStageMaps(&again, &none);
  }
  FreeStageMaps(&map, &none);
  std::string stage, why;
  TextMapToStageText(std::string(reinterpret_cast<const char*>(data), size), "fuzz", &stage, &why);
  return 0;
}
