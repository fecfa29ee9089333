// SPDX-License-Identifier: MIT
// The stages twinworlds-map reads (stage files, text maps, Tiled maps) and
// the Tiled maps it writes, with the game's tileset beside them.
#pragma once

#include <string>

struct StageMap;

// Reads `path` (a file, else a name in the game data such as
// stage/fai_kansei.txt) as a stage file, a text map or a Tiled map (TMX or
// TMJ) into a zeroed map. False with one line in `why`; "" when the loader
// has said it already.
bool LoadAnyStage(const std::string& path, StageMap* map, std::string* why);

// The stage (`name` in the messages) as a Tiled map at `out`, referring to `tileset` (a TSX file) or,
// when that is "", to twinworlds.tsx beside the map, copied there from the
// game data unless it is there already. False with one line in `why`.
bool WriteTiledMap(const StageMap& map, const std::string& name, const std::string& out, const std::string& tileset,
                   std::string* why);
// The game data's tileset (TSX and its PNG) copied into `folder`.
bool CopyGameTileset(const std::string& folder, std::string* why);
