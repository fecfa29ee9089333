// SPDX-License-Identifier: MIT
// The Tiled reader on any bytes as a TMJ map (and the TSJ tilesets in it):
// the bytes always read as JSON.
#include "tiled_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> json(data, data + size);
  // What does not start as JSON does, so that every input is read as TMJ.
  if (json.empty() || json[0] != '{') json.insert(json.begin(), '{');
  FuzzTiledMap(json.data(), json.size(), "fuzz.tmj");
  return 0;
}
