// SPDX-License-Identifier: MIT
// The player's stage packs as twinworlds-map makes and updates them: the
// game's stages copied into a new pack with a Tiled project of them, and
// the pack's Tiled maps turned back into its stage files.
#pragma once

#include <string>

// A pack of the game's stages in the player's packs folder
// (PlayerPacksFolder(), NAME as PackNameFault allows): its stage
// files, pack.txt, and tiled/ with NAME.tiled-project, world_a.tmx,
// world_b.tmx and the tileset. The exit status.
int NewPack(const std::string& name);
// The pack's tiled/world_a and world_b maps (.tmx or .tmj) written into
// its stage/ files, both converted before either is written. NAME is a pack
// of the packs folder; anything with a '/' is a pack's folder.
int UpdatePack(const std::string& nameOrFolder);
