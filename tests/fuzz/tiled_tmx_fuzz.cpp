// SPDX-License-Identifier: MIT
// The Tiled reader on any bytes as a TMX map (and the TSX tilesets in it).
#include "tiled_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzTiledMap(data, size, "fuzz.tmx");
  TiledTileset tileset;
  std::string why;
  ReadTiledTileset(std::string(reinterpret_cast<const char*>(data), size), "fuzz.tsx", &tileset, &why);
  return 0;
}
