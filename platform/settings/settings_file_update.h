// SPDX-License-Identifier: MIT
// Changes made from inside the game, written back to the settings file
// without losing the player's own comments, order and lines the game does
// not know.
#pragma once

#include <string>
#include <utility>
#include <vector>

// The text with the value of each named setting replaced where the name has
// a line (every such line, so the last one read agrees), and the names
// without one appended as "name = value" lines. Every other byte is kept.
std::string UpdateSettingsText(const std::string& text,
                               const std::vector<std::pair<std::string, std::string>>& values);

// Rewrites the settings file (SettingsFilePath()) with these values, whole,
// through a temporary file and a rename; an absent file starts from the
// defaults. Does nothing and returns true when the build keeps no file or
// the run may not write it; false when the file cannot be read or written.
bool SaveSettingValues(const std::vector<std::pair<std::string, std::string>>& values);

// Whether this run may write the settings file: the shell allows it for a
// player's run only, never for playback of an input file or a headless one.
// Off until set.
void SetSettingsWritable(bool writable);
bool SettingsWritable();
