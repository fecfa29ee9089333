// SPDX-License-Identifier: MIT
// A whole stage drawn into one PNG, for reviewing it at a glance.
#pragma once

#include <string>

struct StageMap;

// Columns `first` to `first + count - 1` of the stage, with the tiles and
// backdrop of the game data. 0, or 1 with the reason in `error`.
int DrawStagePicture(const StageMap& map, int first, int count, const std::string& out, std::string* error);
