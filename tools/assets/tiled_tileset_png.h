// SPDX-License-Identifier: MIT
// The picture of the Tiled tileset (tools/tiled/tiled_tileset.h), drawn
// from the game's own sheets.
#pragma once

#include <cstdint>
#include <vector>

#include "sheets.h"

// The PNG file's bytes: RGBA, see-through where the game's key lets the
// backdrop show.
std::vector<uint8_t> DrawTiledTilesetPng(const Art& art, const Canvas& tileSheet, const Canvas& enemySheet);
