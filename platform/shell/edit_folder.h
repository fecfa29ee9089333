// SPDX-License-Identifier: MIT
// The pack folder the stage editor works on: which one --edit opens, and
// its files read, written whole, dated and removed. The editor reaches the
// file system only through here, and never writes into the game's data.
#pragma once

#include <cstdint>
#include <string>

#include "platform/shell/run_options.h"

// The folder --edit opens: the one given, else the player's own pack of
// edited stages ($XDG_DATA_HOME/twinworlds/packs/my-stages).
std::string StageEditFolder(const RunOptions& options);
// That default, as --help names it.
std::string EditFolderShown();
// False, with why, when the editor may not write there: the game's data
// folder itself, whose stage files are the game's.
bool CheckStageEditFolder(const std::string& folder, std::string* why);

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
