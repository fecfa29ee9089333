// SPDX-License-Identifier: MIT
// The game's tiles as a Tiled tileset: which cell value each tile stands
// for, in one fixed order that the asset builder draws and every map we
// write refers to, and the tileset file (TSX) that carries the values as
// tile properties.
//
// A map has two tile layers. "stage" holds each cell's value below 1000.
// "hidden" holds, over a hidden cell, the tile of its group, whose value is
// group x 1000: the cell is the sum of both layers, so a hidden cell that
// event 226 reveals as empty is group 26 over nothing, and one revealed as
// stone is group 26 over stone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int TilesetColumns = 10;
constexpr int TilesetRows = 23;
constexpr int TilesetTileCount = TilesetColumns * TilesetRows;
constexpr int TileSize = 32;
constexpr int HiddenGroupLast = 48;  // events 201 to 248 reveal groups 1 to 48
// A tile of the image that stands for no value.
constexpr int32_t TileNoValue = INT32_MIN;

constexpr const char TilesetFileName[] = "twinworlds.tsx";
constexpr const char TilesetImageName[] = "twinworlds.png";
constexpr const char StageLayerName[] = "stage";
constexpr const char HiddenLayerName[] = "hidden";

// The value of tile `id` (0 to TilesetTileCount - 1), or TileNoValue.
int32_t ValueOfTile(int id);
// The tile of a value below 1000 or of a hidden group's group x 1000; -1
// when the tileset has none (0 too: an empty cell is no tile).
int TileOfValue(int32_t value);
// What the tile means, in a few words, for the tile's properties.
std::string DescribeTileValue(int32_t value);
// The TSX file of the tileset, its image named `image`.
std::string TilesetText(const std::string& image);
