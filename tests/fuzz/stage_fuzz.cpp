// The stage file loader on any bytes.
#include "fuzz_file.h"
#include "stage/stage_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string path = FuzzFile(data, size);
  StageMap map{}, none{};
  if (LoadStageFile(&map, path.c_str())) {
    // What the game relies on in every stage it accepts.
    if (map.width < ViewColumns || map.height < ViewRows || !map.cells || map.eventCount > MaxEventMarkers) std::abort();
    for (int i = 0; i < map.eventCount; i++)
      if (map.eventCells[i] < 0 || map.eventCells[i] >= map.width * map.height) std::abort();
  }
  FreeStageMaps(&map, &none);
  return 0;
}
