// SPDX-License-Identifier: MIT
// The pack folder the stage editor works on: which one it opens (--edit,
// or the title's stages in force), the new pack the game's own stages are
// copied into first, its name and its renaming, and its files read, written
// whole, dated and removed. The editor reaches the file system only
// through here, and never writes into the game's data.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell/run_options.h"

// What the editor opens. The game's stages (its own, or a pack it ships in
// its data folder's packs/) are never edited where they are: they are
// copied first into a new pack of the player's, under a name the player
// gives (`suggested` offered).
struct StageEditChoice {
  std::string folder;     // the pack folder edited (made when missing); "" until the copy is named
  bool copyFirst = false;
  std::string copyFrom;   // the game's pack folder the copy is made of; "" for the game's own stages
  std::string suggested;  // the name offered for the copy
};
// From --edit's value: a pack's name (a pack of the packs folders, else a
// folder of that name here, else a new pack of the player's by that name)
// or a folder (holding a '/'; made when missing). "" edits the stages in
// force: `inForce` is the pack in force's folder, "" for the game's own.
// False, with why, when the value cannot name a pack.
bool ChooseStageEdit(const std::string& given, const std::string& inForce, StageEditChoice* out, std::string* why);
// The folder given on the command line, as --help says it.
std::string EditFolderShown();

// "" when the name can be a new pack's: a pack's name (PackNameFault) that
// no packs folder holds yet; otherwise why not.
std::string NewPackNameFault(const std::string& name);
// `base` when it is free, else base-2, base-3...
std::string FreePackName(const std::string& base);
// The new pack of the player's named `name`: the game's pack copied whole,
// or for the game's own stages a folder with a pack.txt (the editor writes
// the stages). False with why.
bool MakeStagePack(const StageEditChoice& choice, const std::string& name, std::string* folder, std::string* why);
// A folder edited in place gets a pack.txt when it has none, so that it
// can be chosen and played as a pack.
void GivePackInfo(const std::string& folder);
// The pack's folder under a new name, beside where it is. False with why.
bool RenameStagePack(const std::string& folder, const std::string& name, std::string* renamed, std::string* why);

// A file of the folder, named relative to it ("stage/fai_kansei.txt"), read
// whole. False when it cannot be; `why` is "" when it is simply missing.
bool ReadEditFile(const std::string& folder, const std::string& relative, std::string* out, std::string* why);
// Written whole or not at all, its folders made first.
bool WriteEditFile(const std::string& folder, const std::string& relative, const std::string& bytes);
// When it was last written, in nanoseconds; -1 when it is missing.
int64_t EditFileTime(const std::string& folder, const std::string& relative);
void RemoveEditFile(const std::string& folder, const std::string& relative);
// The file's path, for messages.
std::string EditFilePath(const std::string& folder, const std::string& relative);
