// SPDX-License-Identifier: MIT
// The Tiled map reader on any bytes, its tilesets the game's own: whatever
// it takes, the loader takes too, and it goes back to a TMX map that reads
// to the same cells.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "stage/stage_file.h"
#include "stage/stage_text.h"
#include "tools/tiled/tiled_map.h"
#include "tools/tiled/tiled_tileset.h"

inline void FuzzTiledMap(const uint8_t* data, size_t size, const char* name) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // A tileset the map names is the game's, or, named "self", these bytes.
  auto files = [&](const std::string& path, std::string* out) -> const char* {
    *out = path.find("self") != std::string::npos ? bytes : TilesetText(TilesetImageName);
    return nullptr;
  };
  TiledStage stage;
  std::string why;
  if (!ReadTiledMap(bytes, name, files, &stage, &why)) {
    if (why.empty() || why.find('\n') != std::string::npos) std::abort();  // one line, always
    return;
  }
  StageMap map{}, none{};
  if (!LoadStageText(&map, FormatStageText(stage.width, stage.height, stage.cells.data()), "fuzz") ||
      StageFileCells(&map) != stage.cells)
    std::abort();
  FreeStageMaps(&map, &none);
  const std::string tmx = StageToTmx(stage.width, stage.height, stage.cells.data(), TilesetFileName, &why);
  TiledStage again;
  if (tmx.empty() || !ReadTiledMap(tmx, "again.tmx", files, &again, &why) || again.cells != stage.cells) std::abort();
}
