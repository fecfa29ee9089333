// SPDX-License-Identifier: MIT
// Reading any kind of stage, and writing Tiled maps.
#include "stage_sources.h"

#include <filesystem>
#include <vector>

#include "platform/files/whole_file.h"
#include "platform/win32/win32.h"
#include "stage/stage_file.h"
#include "stage/stage_text.h"
#include "tools/tiled/tiled_map.h"
#include "tools/tiled/tiled_tileset.h"

namespace {

bool LooksLikeTiledMap(const std::string& text) {
  for (char ch : text) {
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') continue;
    return ch == '<' || ch == '{';
  }
  return false;
}

}  // namespace

bool LoadAnyStage(const std::string& path, StageMap* map, std::string* why) {
  std::error_code ec;
  const std::string file = std::filesystem::is_regular_file(path, ec) ? path : DataFilePath(path.c_str());
  std::vector<uint8_t> bytes;
  if (const char* fault = ReadWholeFile(file, 64u << 20, &bytes)) {
    *why = file + ": " + fault;
    return false;
  }
  const std::string text(bytes.begin(), bytes.end());
  std::string stage = text;
  if (LooksLikeTiledMap(text)) {
    TiledStage tiled;
    if (!ReadTiledMap(text, path, ReadTiledFile, &tiled, why)) return false;
    stage = FormatStageText(tiled.width, tiled.height, tiled.cells.data());
  } else if (LooksLikeTextMap(text) && !TextMapToStageText(text, path, &stage, why)) {
    return false;
  }
  // The loader names the file and the reason itself.
  why->clear();
  return LoadStageText(map, stage, path.c_str()) == 1;
}

bool CopyGameTileset(const std::string& folder, std::string* why) {
  for (const char* name : {TilesetFileName, TilesetImageName}) {
    const std::string from = DataFilePath((std::string("tiled/") + name).c_str());
    std::vector<uint8_t> bytes;
    if (const char* fault = ReadWholeFile(from, 64u << 20, &bytes)) {
      *why = from + ": " + fault + " (the game data's Tiled tileset)";
      return false;
    }
    const std::string to = (std::filesystem::path(folder) / name).string();
    if (!WriteFileAtomically(to, std::string(bytes.begin(), bytes.end()))) {
      *why = to + ": cannot be written";
      return false;
    }
  }
  return true;
}

bool WriteTiledMap(const StageMap& map, const std::string& name, const std::string& out, const std::string& tileset,
                   std::string* why) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::absolute(out).parent_path();
  std::string source = TilesetFileName;
  std::error_code ec;
  if (!tileset.empty()) {
    if (!fs::is_regular_file(tileset, ec)) {
      *why = tileset + ": no such tileset";
      return false;
    }
    source = fs::absolute(tileset).lexically_normal().lexically_relative(folder.lexically_normal()).generic_string();
  } else if (!fs::exists(folder / TilesetFileName, ec) && !CopyGameTileset(folder.string(), why)) {
    return false;
  }
  const std::vector<int32_t> cells = StageFileCells(&map);
  std::string fault;
  const std::string tmx = StageToTmx(map.width, map.height, cells.data(), source, &fault);
  if (tmx.empty()) {
    *why = name + ": " + fault;
    return false;
  }
  if (!WriteFileAtomically(out, tmx)) {
    *why = out + ": cannot be written";
    return false;
  }
  return true;
}
