// SPDX-License-Identifier: MIT
// Stages as Tiled maps: a stage written as a TMX map over the game's
// tileset, and a Tiled map (TMX or TMJ, its tilesets embedded or in TSX or
// TSJ files) read back into a stage's cells. A map the game could not take
// is refused with one line naming the file, the cell where it applies and
// the reason.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

// What a tileset says: its tiles' size, and the value of each tile that has one.
struct TiledTileset {
  int tileWidth = 0, tileHeight = 0;
  std::map<int64_t, int32_t> values;  // tile id -> value
};

// A stage as read from a Tiled map: the cells as its stage file holds them.
struct TiledStage {
  int32_t width = 0, height = 0;
  std::vector<int32_t> cells;
};

// Reads a file a map refers to (a tileset) by its path: null with the bytes,
// or why not.
using TiledFileReader = std::function<const char*(const std::string& path, std::string* bytes)>;
// ReadWholeFile's way, at most 64 MiB.
const char* ReadTiledFile(const std::string& path, std::string* bytes);

// The TMX text of a stage, referring to the tileset at `tilesetSource`
// (a path relative to the map). "" when a cell holds a value the tileset
// has no tile for, with the cell and the value in `why` ("column 4, row 2: ...").
std::string StageToTmx(int32_t width, int32_t height, const int32_t* cells, const std::string& tilesetSource,
                       std::string* why);

// A Tiled map's bytes (TMX or TMJ, told apart by their first character),
// `path` naming it in the messages and placing the tilesets it refers to.
// False with one line in `why` ("PATH: column 12, row 3: reason").
bool ReadTiledMap(const std::string& bytes, const std::string& path, const TiledFileReader& files, TiledStage* out,
                  std::string* why);
// A tileset file's bytes (TSX or TSJ).
bool ReadTiledTileset(const std::string& bytes, const std::string& path, TiledTileset* out, std::string* why);
