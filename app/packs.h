// SPDX-License-Identifier: MIT
// Whether a pack can be played, judged by the game's own loaders; the
// title's list of stages; and the data loaded again when the choice
// changes.
#pragma once

#include <string>
#include <vector>

#include "platform/shell/pack_choice.h"

// Why the pack cannot be played, "" when it can: the fault its reading
// found, else the first of its files the game would refuse: a stage file
// the stage loader refuses (its reason line), a bitmap that cannot be
// loaded or whose size is not the game's own bitmap's, a sound or the
// music that cannot be read. One line naming the file; said on stderr.
std::string PackContentFault(const Pack& pack);
// The same for a folder (its last part the pack's id), read as a pack;
// `out`, when given, gets the pack.
std::string PackFolderFault(const std::string& folder, Pack* out = nullptr);

// What the stage checks find in the pair of stages a pack would play
// (its own, the game's for one it lacks): one line each, in English, as
// --share-pack says them; none when the pair can be shared.
std::vector<std::string> PackStageFaults(const Pack& pack);

// One line of the title's list.
struct StageChoice {
  Pack pack;            // the game's own: no id
  bool usable;
  bool kept;            // found in a packs folder: the choice is kept in the settings file
  std::string name;     // code page 932, as the screen draws it
  std::string author;
  std::string about;    // the description, or why it cannot be played
  std::string licence;
};
// The game's own stages, then every pack of the packs folders, then the
// pack in force when it came from elsewhere (--pack DIR); each checked.
std::vector<StageChoice> ListStageChoices();
// The bitmaps, sounds and music again, from the pack in force; 0 when a
// bitmap failed.
int ReloadGameData();
